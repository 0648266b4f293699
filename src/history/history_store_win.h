#pragma once
// The history on disk: its blocks in the common application data folder's Tidewell folder, which
// the program creates so that only administrators can change it and users can read it. Records
// are written only while that folder is such a place; reading needs no more than reading.
#include <optional>
#include <string>
#include <vector>

#include "common/protected_place.h"
#include "history/clean_record.h"

// "<common application data>\Tidewell"; empty when the system names no such folder.
std::string HistoryFolder();

struct HistoryRead {
    std::vector<CleanRecord> records; // oldest first
    bool unreadable = false;          // a block could not be read; the records are the rest
    // The folder is not a place Tidewell would write to: nothing was read from it, since whoever
    // could change it could have written any record there.
    std::optional<PlaceVerdict> refused;
};
// The kept blocks' records; no folder yet is an empty history.
HistoryRead ReadHistory(const std::string& folder);

// Appends the records of one process. A record that cannot be kept changes nothing else: the
// caller goes on, and is told once.
class HistoryWriter {
public:
    explicit HistoryWriter(std::string folder = HistoryFolder()) : folder_(std::move(folder)) {}

    bool Append(const CleanRecord& record);
    // Whether records can be kept: the folder is looked at (and made) the first time.
    bool FolderReady();
    // True once: after the first record that could not be kept.
    bool TakeProblemToTell();
    const std::string& Folder() const { return folder_; }
    // Why records are not kept, once the folder was looked at and refused.
    std::optional<PlaceVerdict> Refusal() const { return refusal_; }

private:
    bool Write(const std::string& line) const;

    std::string folder_;
    enum class FolderState { Unchecked, Ready, Refused } state_ = FolderState::Unchecked;
    std::optional<PlaceVerdict> refusal_;
    bool failed_ = false, told_ = false;
};
