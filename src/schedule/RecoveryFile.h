#pragma once

#include "day/ScheduleDay.h"

#include <optional>
#include <string>

// Unsaved work kept on disk, so that a crash or a kill loses none of it: one file per database
// (its connection string as attached) and date, in the user's data folder under recovery/,
// written whole under a temporary name and then moved into place.
class TRecoveryFile {
public:
    TRecoveryFile(const std::string& server, TDateTime date);

    const std::string& Path() const { return path_; }
    // Raises EInOutError when the folder or the file cannot be written.
    void Write(const TScheduleDay& day) const;
    // The day kept, or nothing without a file or with one that holds no day.
    std::optional<TScheduleDay> Read() const;
    void Remove() const;

private:
    std::string path_;
};
