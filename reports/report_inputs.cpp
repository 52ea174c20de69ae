// Input lookup by key, shared by every report.
#include <cstring>

#include "../engine/checked.h"
#include "custom_reports.h"

bool find_input_value(const ToolDef& tool, const double* input_values, const char* key,
                      double* value) {
    if (tool.inputs == nullptr || input_values == nullptr || key == nullptr) return false;
    for (int32_t i = 0; i < clamped_input_count(tool); ++i) {
        const char* input_key = tool.inputs[i].key;
        if (input_key != nullptr && std::strcmp(input_key, key) == 0) {
            *value = input_values[i];
            return true;
        }
    }
    return false;
}

int32_t find_whole_input(const ToolDef& tool, const double* input_values, const char* key) {
    double value = 0.0;
    find_input_value(tool, input_values, key, &value);
    return whole_number_from_double(value);
}
