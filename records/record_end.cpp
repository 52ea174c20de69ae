#include "record_end.h"

namespace {

// Bytes read at a time when the file's end is examined.
constexpr int32_t kScanChunkBytes = 8192;
// The error for a held file that ends before its size: ERROR_HANDLE_EOF on
// Windows, EIO elsewhere.
#ifdef _WIN32
constexpr RecordError kRecordErrorShortRead = 38;
#else
constexpr RecordError kRecordErrorShortRead = 5;
#endif

// Where a CSV reader stands after each byte.
enum class CsvState : int32_t {
    field_start,   // at the start of a field (also of a record)
    unquoted,      // inside an unquoted field: quotes are plain text here
    quoted,        // inside a quoted field
    quote_in_quoted,  // after a quote inside a quoted field: a second one is a
                      // quote of the text, anything else follows the closed field
};

CsvState csv_step(CsvState state, char c) {
    const bool separator = c == ',' || c == '\r' || c == '\n';
    switch (state) {
        case CsvState::field_start:
            if (c == '"') return CsvState::quoted;
            return separator ? CsvState::field_start : CsvState::unquoted;
        case CsvState::unquoted:
            return separator ? CsvState::field_start : CsvState::unquoted;
        case CsvState::quoted:
            return c == '"' ? CsvState::quote_in_quoted : CsvState::quoted;
        case CsvState::quote_in_quoted:
            if (c == '"') return CsvState::quoted;
            return separator ? CsvState::field_start : CsvState::unquoted;
    }
    return state;
}

}  // namespace

RecordError scan_record_end(const RecordFileOps& ops, RecordFile file, const char* header,
                            int32_t header_count, RecordEnd* end) {
    int64_t size = 0;
    if (RecordError error = ops.size(ops.context, file, &size)) return error;
    end->size = size;
    end->header_prefix = size <= header_count ? static_cast<int32_t>(size) : -1;
    end->last = 0;
    CsvState state = CsvState::field_start;
    int32_t mark_bytes = 0;  // bytes of a byte-order mark at the start, skipped
    char chunk[kScanChunkBytes];
    for (int64_t offset = 0; offset < size;) {
        int32_t got = 0;
        if (RecordError error =
                ops.read(ops.context, file, offset, chunk, kScanChunkBytes, &got)) {
            return error;
        }
        // The file is held: it cannot have shrunk unless the system is failing.
        if (got <= 0) return kRecordErrorShortRead;
        for (int32_t i = 0; i < got; ++i) {
            const int64_t at = offset + i;
            if (at < end->header_prefix && chunk[i] != header[at]) end->header_prefix = -1;
            if (at == mark_bytes && at < kRecordByteOrderMarkBytes && chunk[i] == kRecordByteOrderMark[at]) {
                ++mark_bytes;
                continue;
            }
            state = csv_step(state, chunk[i]);
        }
        end->last = chunk[got - 1];
        offset += got;
    }
    end->in_quotes = state == CsvState::quoted;
    return 0;
}

int32_t record_lead_in(const RecordEnd& end, const char* header, int32_t header_count,
                       char* out) {
    if (end.header_prefix >= 0) {
        const int32_t count = header_count - end.header_prefix;
        for (int32_t i = 0; i < count; ++i) out[i] = header[end.header_prefix + i];
        return count;
    }
    int32_t count = 0;
    if (end.in_quotes) out[count++] = '"';
    if (end.in_quotes || end.last != '\n') {
        if (end.in_quotes || end.last != '\r') out[count++] = '\r';
        out[count++] = '\n';
    }
    return count;
}
