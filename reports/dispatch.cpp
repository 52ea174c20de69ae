// Custom report dispatch (being written).
#include "custom_reports.h"

#include "../engine/wide_text.h"

int32_t build_custom_report(int32_t, const ToolDef&, const double*, wchar_t* report,
                            int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity) {
    wtext_copy(report, report_capacity, L"（该工具暂无自定义报告）");
    wtext_copy(verdict, verdict_capacity, L"暂无报告内容");
    return 0;
}
