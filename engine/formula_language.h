// The formula language: a one-pass recursive-descent evaluator over doubles.
#pragma once

#include <cstdint>

#include "tool_def.h"

// Formulas nested deeper than this (parentheses, call arguments, unary operators,
// "^" and "?:" branches, counted together along one path) fail instead of
// recursing further, so no text can exhaust the stack.
constexpr int32_t kMaxFormulaNesting = 200;

// Evaluates `formula` against the tool's keys. Input values are read by the
// position of each input, output values by the position of each output.
// Always sets *error_flag: 0 when the text was read completely and correctly and
// the value is finite, 1 otherwise. The value is returned in both cases (the
// value on failure is what the formula computes with every failing element
// standing for 0). Never allocates.
double evaluate_formula(const ToolDef& tool, const char* formula, const double* input_values,
                        const double* output_values, int32_t* error_flag);
