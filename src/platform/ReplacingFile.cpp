#include "platform/ReplacingFile.h"

#include "platform/Cp1251.h"
#include "platform/Exceptions.h"
#include "platform/Format.h"

#include <cerrno>
#include <cstring>
#include <random>

namespace fs = std::filesystem;

namespace {

// Created exclusively ("x"), so two exports never share one temporary file.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + "." +
                                   std::to_string(random()) + ".tmp");
        errno = 0;
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return file;
        if (errno != EEXIST) break;
    }
    return nullptr;
}

} // namespace

std::string InOutErrorText(int code) {
    switch (code) {
    case ENOENT:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    case EMFILE:
        return "Too many open files";
    case ENOSPC:
        return "Disk full";
    case EFBIG:
        return "File too large";
    default:
        return Format("I/O error %d", code);
    }
}

fs::path PathOfText(const std::string& fileName) {
    const std::string utf8 = Cp1251ToUtf8(fileName);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

TReplacingFile::TReplacingFile(const std::string& fileName)
    : fileName_(fileName), target_(PathOfText(fileName)) {
    file_ = CreateTemporary(target_, temporary_);
    if (!file_)
        throw EInOutError(
            Format("Cannot create file \"%s\": %s", fileName.c_str(), std::strerror(errno)));
}

TReplacingFile::~TReplacingFile() {
    if (!file_) return;
    std::fclose(file_);
    std::error_code ignored;
    fs::remove(temporary_, ignored);
}

void TReplacingFile::Write(const std::string& bytes) {
    errno = 0;
    CheckWrite(std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size());
}

void TReplacingFile::Commit() {
    errno = 0;
    CheckWrite(std::fflush(file_) == 0);
    std::FILE* file = file_;
    file_ = nullptr;
    std::error_code error;
    if (std::fclose(file) != 0) {
        const int code = errno;
        fs::remove(temporary_, error);
        throw EInOutError(InOutErrorText(code));
    }
    fs::rename(temporary_, target_, error);
    if (!error) return;
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    throw EInOutError(
        Format("Cannot replace file \"%s\": %s", fileName_.c_str(), error.message().c_str()));
}

void TReplacingFile::CheckWrite(bool ok) {
    if (!ok) throw EInOutError(InOutErrorText(errno));
}
