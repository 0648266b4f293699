#pragma once
// The link label's texts and the command line of its .htm fallback.
#include <string>

// The explanation for a failed opening by the system's error code.
std::string HyperlinkErrorText(long code);
// "Unable to open hyperlink:" and the explanation, as the message box shows it.
std::string HyperlinkErrorMessage(long code);

// The .htm handler's command made to open `target`: the command is cut at its "%1" placeholder
// (at the opening quote when the placeholder is quoted), then a space and the target follow.
std::string HtmCommandForTarget(const std::string& handlerCommand, const std::string& target);

// The About box shows the support mail link without its "mailto:" prefix (its first 7 characters).
std::string MailLinkText(const std::string& activeMail);
