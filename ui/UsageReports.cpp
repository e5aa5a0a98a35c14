#include "ui/UsageReports.h"

// TO BE WIRED to the analytics glue (reportTask, reportClick, reportView with the option
// map {kAbKey: kAbGroup}). Until then the reports go nowhere.
namespace UsageReports {

void Task(std::wstring_view, float, std::wstring_view) {}

void Click(std::wstring_view) {}

void View() {}

}  // namespace UsageReports
