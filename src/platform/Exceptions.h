#pragma once

#include <exception>
#include <string>

// Root of every error the application raises; the message is Windows-1251 text.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    // The class name shown by the last-chance handler.
    virtual const char* ClassName() const { return "Exception"; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

#define SKEDORA_EXCEPTION(Name, Base)                                                              \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const override { return #Name; }                                   \
    }

SKEDORA_EXCEPTION(EDatabaseError, Exception);
SKEDORA_EXCEPTION(EConvertError, Exception);
SKEDORA_EXCEPTION(EListError, Exception);
SKEDORA_EXCEPTION(EInOutError, Exception);
// A file that cannot be opened or read: "Cannot open file %s".
SKEDORA_EXCEPTION(EFOpenError, Exception);

// An operating-system failure: "System Error.  Code: %d.\r\n%s".
class EOSError : public Exception {
public:
    EOSError(int code, const std::string& systemText);
    int ErrorCode() const { return code_; }
    const char* ClassName() const override { return "EOSError"; }

private:
    int code_;
};
