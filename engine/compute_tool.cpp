#include "compute_tool.h"

#include "custom_report.h"
#include "tool_result.h"
#include "wide_text.h"

// The steps of evaluate_tool() into the caller's buffers and capacities; a
// failed output's line keeps the value its formula returned.
int32_t compute_tool(const ToolDef& tool, const double* input_values, wchar_t* report,
                     int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity,
                     int32_t* level, wchar_t* detail, int32_t detail_capacity) {
    detail[0] = 0;
    verdict[0] = 0;
    report[0] = 0;
    *level = 0;

    if (tool.custom_report_kind != 0) {
        *level = build_custom_report(tool.custom_report_kind, tool, input_values, report,
                                     report_capacity, verdict, verdict_capacity);
    } else {
        double values[kMaxToolOutputs];
        bool failed[kMaxToolOutputs];
        evaluate_outputs(tool, input_values, values, failed);
        write_output_report(tool, values, failed, FailedOutputText::as_evaluated, report,
                            report_capacity);
        *level = decide_verdict(tool, input_values, values, verdict, verdict_capacity);
    }
    wtext_copy(detail, detail_capacity, report);
    return *level;
}
