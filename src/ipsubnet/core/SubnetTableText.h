// SPDX-License-Identifier: MIT
// The subnets/hosts table as text: the copy's tab-separated lines (header,
// then one line per row, CR LF or LF after each) and the same rows as JSON
// objects, one a line. Rows are written straight into caller buffers: the
// largest table has 4,194,304 rows and is never held whole by the writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "IPSubnetModel.h"

namespace Parlamine {

enum class TLineEnd { leCRLF, leLF };
std::string_view LineEndText(TLineEnd lineEnd);

// "#\tID\tRange\tBroadcast", no line end.
std::string_view SubnetTableHeader();

// The dotted decimal form written at `out` (room for 15 characters, which
// may be overwritten after the returned end); returns the end of the text.
char* WriteDottedDecimal(uint32_t value, char* out);

// One row as a JSON object without line end:
// {"number":1,"id":"10.0.0.0","first":"10.0.0.1","last":"10.0.0.2","broadcast":"10.0.0.3"}.
// `out` must hold MaxJsonRowSize characters; returns the count written.
inline constexpr size_t MaxJsonRowSize = 160;
size_t FormatSubnetRowJson(const TSubnetTable& table, int64_t row, char* out);

// Writes rows [first, first + count) as text lines (FormatRow plus the line
// end) into `out` of `capacity` characters, as many as fit whole; returns
// the number of rows written and adds the characters used to `used`.
int64_t FormatSubnetRows(const TSubnetTable& table, int64_t first, int64_t count, TLineEnd lineEnd, char* out,
                         size_t capacity, size_t& used);

}  // namespace Parlamine
