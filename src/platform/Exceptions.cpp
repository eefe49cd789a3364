#include "platform/Exceptions.h"

#include "platform/Format.h"

EOSError::EOSError(int code, const std::string& systemText)
    : Exception(Format("System Error.  Code: %d.\r\n%s", code, systemText.c_str())), code_(code) {}
