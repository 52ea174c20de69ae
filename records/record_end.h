// How an existing record file ends, as a CSV reader sees it, and the bytes
// that close a torn end so that the next record becomes a row of its own.
#pragma once

#include <cstdint>

#include "record_file.h"

// The UTF-8 byte-order mark at the start of every record file.
constexpr char kRecordByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int32_t kRecordByteOrderMarkBytes = 3;

// How an existing record file ends, as a CSV reader sees it.
struct RecordEnd {
    int64_t size;           // bytes in the file
    int32_t header_prefix;  // the file holds exactly the first this many bytes of the
                            // byte-order mark and header, else -1
    bool in_quotes;         // a quoted field is still open at the end
    char last;              // the last byte (0 for an empty file)
};

// Reads the whole held file once and tells how it ends. `header` holds the
// byte-order mark and header line of a new file, `header_count` bytes. A
// byte-order mark at the start is not part of the first field.
RecordError scan_record_end(const RecordFileOps& ops, RecordFile file, const char* header,
                            int32_t header_count, RecordEnd* end);

// The bytes that go before the record so that it becomes a row of its own;
// returns their count. The rest of the byte-order mark and header when the
// file holds only the start of them (all of them when it is empty);
// otherwise a quote when a quoted field is open, then CR LF, or only LF right
// after a bare CR, or nothing after a line end. Writes at most the larger of
// `header_count` and 3 bytes to `out`.
int32_t record_lead_in(const RecordEnd& end, const char* header, int32_t header_count,
                       char* out);
