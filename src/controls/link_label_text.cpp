#include "controls/link_label_text.h"

#include <string_view>

std::string HyperlinkErrorText(long code)
{
    switch (code) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case 2:
        return "The specified file was not found.";
    case 3:
        return "The specified path was not found.";
    case 5:
        return "The operating system denied\naccess to the specified file.";
    case 8:
        return "There was not enough memory to complete the operation.";
    case 11:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
        return "A sharing violation occurred. ";
    case 27:
        return "The filename association is\nincomplete or invalid.";
    case 28:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
        return "The DDE transaction failed.";
    case 30:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case 31:
        return "There is no application associated\nwith the given filename extension.";
    case 32:
        return "The specified dynamic-link library was not found.";
    default:
        return "Unknown Error (" + std::to_string(code) + ") occurred.";
    }
}

std::string HyperlinkErrorMessage(long code)
{
    return "Unable to open hyperlink:\n\n" + HyperlinkErrorText(code);
}

std::string HtmCommandForTarget(const std::string& handlerCommand, const std::string& target)
{
    std::string command = handlerCommand;
    // Whatever followed the placeholder is dropped with it.
    if (const auto quoted = command.find("\"%1\""); quoted != std::string::npos)
        command.resize(quoted);
    else if (const auto bare = command.find("%1"); bare != std::string::npos)
        command.resize(bare);
    return command + " " + target;
}

std::string MailLinkText(const std::string& activeMail)
{
    constexpr std::string_view::size_type kPrefixLength = 7; // "mailto:"
    return activeMail.size() > kPrefixLength ? activeMail.substr(kPrefixLength) : std::string();
}
