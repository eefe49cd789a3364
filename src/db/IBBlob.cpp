#include "db/IBBlob.h"

#include "db/ClientApi.h"
#include "db/ClientHandles.h"
#include "db/IBBase.h"
#include "db/IBTransaction.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kSegmentSize = 32768;

class BlobHandle : public OwnedHandle<&ClientLibrary::isc_close_blob> {};

ISC_QUAD ToQuad(BlobId id) {
    ISC_QUAD quad;
    quad.gds_quad_high = id.high;
    quad.gds_quad_low = id.low;
    return quad;
}

// Closes through the status check so that a failed close is raised.
void Close(const TIBBase& link, BlobHandle& blob) {
    link.Transaction()->Call(LoadClientLibrary().isc_close_blob(StatusVector(), blob.Ptr()), true);
    blob.Forget();
}
} // namespace

BlobId WriteBlob(const TIBBase& link, const std::string& bytes) {
    const ClientLibrary& api = LoadClientLibrary();
    TIBTransaction& transaction = *link.Transaction();
    BlobHandle blob;
    ISC_QUAD quad = {};
    transaction.Call(api.isc_create_blob2(StatusVector(), link.DBHandle().Ptr(),
                                          link.TRHandle().Ptr(), blob.Ptr(), &quad, 0, nullptr),
                     true);
    for (std::size_t at = 0; at < bytes.size(); at += kSegmentSize) {
        const auto length = static_cast<unsigned short>(std::min(kSegmentSize, bytes.size() - at));
        transaction.Call(api.isc_put_segment(StatusVector(), blob.Ptr(), length, bytes.data() + at),
                         true);
    }
    Close(link, blob);
    return {quad.gds_quad_high, quad.gds_quad_low};
}

std::string ReadBlob(const TIBBase& link, BlobId id) {
    const ClientLibrary& api = LoadClientLibrary();
    TIBTransaction& transaction = *link.Transaction();
    BlobHandle blob;
    ISC_QUAD quad = ToQuad(id);
    transaction.Call(api.isc_open_blob2(StatusVector(), link.DBHandle().Ptr(),
                                        link.TRHandle().Ptr(), blob.Ptr(), &quad, 0, nullptr),
                     true);
    std::string bytes;
    char segment[kSegmentSize];
    for (;;) {
        unsigned short length = 0;
        const ISC_STATUS result =
            api.isc_get_segment(StatusVector(), blob.Ptr(), &length, sizeof segment, segment);
        if (result != 0 && result != isc_segment) {
            if (result == isc_segstr_eof) break;
            transaction.Call(result, true);
        }
        bytes.append(segment, length);
    }
    Close(link, blob);
    return bytes;
}
