#include "RawClient.h"

#include <stdexcept>

void Check(ISC_STATUS* status) {
    if (status[0] == 1 && status[1] != 0)
        throw std::runtime_error("client call failed: " + std::to_string(status[1]));
}
