// The suite's tools as the release describes them. Each tool source of this
// folder defines one constant tool; built into a program it is that program's
// tool (get_tool_definition), and compiled with KINETORA_CATALOGUE_ALL every
// tool is reached through the generated program table instead.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../engine/tool_def.h"

// A tool of the suite: its definition and, for each input in display order, the
// values its report or formulas work with, in words for the user's manual.
// sources: where the report's further facts come from, for the manual's
// "出处" line (the reference line names the main source only; it must fit the
// window); null when the reference line says it all.
struct CatalogueTool {
    const ToolDef* tool;
    const wchar_t* const* input_limits;  // tool->input_count entries; null without inputs
    const wchar_t* sources = nullptr;
};

// A program of the suite: the tool id, the program's file name and its tool.
struct CatalogueProgram {
    int32_t id;
    const wchar_t* file_name;
    const CatalogueTool* tool;
};

// Every program, in the order of catalogue/catalogue.cmake, the one list of
// programs; the table is generated from it when configuring.
extern const CatalogueProgram kCataloguePrograms[];
extern const int32_t kCatalogueProgramCount;

// Number of entries of a constant table (input and limits tables of a tool).
template <typename T, size_t N>
constexpr int32_t table_size(const T (&)[N]) {
    return static_cast<int32_t>(N);
}
