// Where Chinese text may wrap: one rule for the user's manual, the printed page
// and the report box on screen. A line never begins with closing punctuation
// ("。", "，", "）", "：", "／", "℃", "%" …) nor ends with opening punctuation
// ("（", "“" …); a slash keeps both its neighbours ("次/分" stays whole); a
// number keeps its unit, written straight after it or after one blank ("8次",
// "8 小时", "＿℃"), an ASCII label its blank ("SpO2＿%"); an ASCII word (a
// path, a command, "mmHg") stays whole.
#pragma once

#include <cstdint>
#include <cwchar>

// True for a character that takes two columns of a fixed-pitch line (CJK
// ideographs and punctuation, full-width forms).
bool is_wide_char(wchar_t c);

// May a line break fall between text[index - 1] and text[index]? text holds
// `length` units; false unless 0 < index < length. Breaks fall between two
// wide characters, between a wide and an ASCII one and after a blank, unless a
// rule above keeps the two sides together.
bool line_break_allowed(const wchar_t* text, int32_t length, int32_t index);
