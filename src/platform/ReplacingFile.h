#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// A file written under a temporary name in its target's folder and moved over the target only
// by Commit: a failed or abandoned write leaves any file of the target's name untouched and no
// partial file behind. Failures raise EInOutError.
class TReplacingFile {
public:
    // The name is Windows-1251 text. Raises naming the target and the reason when the
    // temporary file cannot be made (a missing or read-only folder).
    explicit TReplacingFile(const std::string& fileName);
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    void Write(const std::string& bytes);
    // Flushes, closes and moves the file into place.
    void Commit();

private:
    void CheckWrite(bool ok);

    std::string fileName_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
};

// The runtime's text for a failed read or write with the system's error code: "Disk full",
// "File access denied" and the like.
std::string InOutErrorText(int code);
// A path for a Windows-1251 file name.
std::filesystem::path PathOfText(const std::string& fileName);
