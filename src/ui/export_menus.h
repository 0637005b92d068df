#pragma once

#include "files/file_system.h"
#include "files/table_export.h"
#include "platform/platform.h"

#include <functional>

class QAbstractItemModel;
class QTableView;

class QChartView;

namespace zelkora::ui {

// The seams an export needs: the save dialog and the message boxes, and the files.
struct ExportSeams {
    UserInterface& ui;
    FileSystem& files;
};

// A model's headings and every row, as text.
TableRows tableRowsOf(const QAbstractItemModel& model);
// The cells of the smallest range that holds the view's selection, as text (no headings).
TableRows selectedRowsOf(const QTableView& view);

// Puts the view's selected range on the clipboard as tab-separated text.
void copySelection(const QTableView& view);
// Asks for a file and writes the rows there as CSV; a failure is told with its reason.
void saveRowsAsCsv(ExportSeams seams, const TableRows& rows, const std::string& presetName);
// Asks for a file and saves the chart as PNG or SVG, by the type chosen.
void saveChartImage(ExportSeams seams, QChartView& chart, const std::string& presetName);
// The chart as an image file of the given kind ("png" or "svg").
std::string chartImageBytes(QChartView& chart, std::string_view kind);

// A right-click menu on a grid: copy the selected range, save the grid as CSV.
void addTableMenu(QTableView& view, ExportSeams seams);
// A right-click menu on a chart: save it as an image, save its figures as CSV.
void addChartMenu(QChartView& chart, ExportSeams seams, std::function<TableRows()> figures);

} // namespace zelkora::ui
