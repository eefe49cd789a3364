#pragma once

// Private to the access layer: whole blobs read and written in one go.
#include "db/IBXSQLDA.h"

#include <string>

class TIBBase;

// A new blob in the link's transaction holding the bytes; its id.
BlobId WriteBlob(const TIBBase& link, const std::string& bytes);
// The blob's bytes, read in the link's transaction.
std::string ReadBlob(const TIBBase& link, BlobId id);
