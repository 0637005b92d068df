#include "export_menus.h"

#include "files/utf8_path.h"
#include "messages/error_messages.h"
#include "qt_text.h"

#include <QAbstractItemModel>
#include <QBuffer>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>
#include <QTableView>
#include <algorithm>
#include <climits>

namespace zelkora::ui {
namespace {

constexpr std::string_view kCsvFilter = "CSV ファイル (*.csv)|*.csv|";
constexpr std::string_view kImageFilter = "PNG 画像 (*.png)|*.png|SVG 画像 (*.svg)|*.svg|";

std::string cellText(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString().toStdString();
}

std::optional<std::string> askForFile(UserInterface& ui, std::string_view title,
                                      std::string_view filter, const std::string& presetName) {
    FileDialogRequest request;
    request.title = std::string(title);
    request.filter = std::string(filter);
    request.presetName = presetName;
    request.overwritePrompt = true;
    return ui.saveFileDialog(request);
}

void tellFailure(UserInterface& ui, const std::string& file, const Status& status) {
    if (!status.ok()) {
        ui.showMessage(saveFailedMessage(file, status.error()));
    }
}

bool endsWith(const std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace

TableRows tableRowsOf(const QAbstractItemModel& model) {
    TableRows rows(1);
    for (int column = 0; column < model.columnCount(); ++column) {
        rows[0].push_back(
            model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
    }
    for (int row = 0; row < model.rowCount(); ++row) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.push_back(cellText(model, row, column));
        }
    }
    return rows;
}

TableRows selectedRowsOf(const QTableView& view) {
    const QModelIndexList selected = view.selectionModel() != nullptr
                                         ? view.selectionModel()->selectedIndexes()
                                         : QModelIndexList();
    if (selected.isEmpty()) {
        return {};
    }
    int top = INT_MAX;
    int bottom = -1;
    int left = INT_MAX;
    int right = -1;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    const QAbstractItemModel& model = *view.model();
    TableRows rows;
    for (int row = top; row <= bottom; ++row) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = left; column <= right; ++column) {
            cells.push_back(cellText(model, row, column));
        }
    }
    return rows;
}

void copySelection(const QTableView& view) {
    const TableRows rows = selectedRowsOf(view);
    if (!rows.empty()) {
        QGuiApplication::clipboard()->setText(qtText(tabSeparatedText(rows)));
    }
}

void saveRowsAsCsv(ExportSeams seams, const TableRows& rows, const std::string& presetName) {
    const std::optional<std::string> file =
        askForFile(seams.ui, "CSV で保存", kCsvFilter, presetName + ".csv");
    if (!file) {
        return;
    }
    tellFailure(seams.ui, *file, writeCsvRows(seams.files, pathFromUtf8(*file), rows));
}

std::string chartImageBytes(QChartView& chart, std::string_view kind) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == "svg") {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(chart.size());
        generator.setViewBox(QRect(QPoint(0, 0), chart.size()));
        generator.setTitle(chart.objectName());
        QPainter painter(&generator);
        chart.render(&painter);
    } else {
        chart.grab().save(&buffer, "PNG");
    }
    return bytes.toStdString();
}

void saveChartImage(ExportSeams seams, QChartView& chart, const std::string& presetName) {
    const std::optional<std::string> file =
        askForFile(seams.ui, "グラフを画像で保存", kImageFilter, presetName + ".png");
    if (!file) {
        return;
    }
    const std::string bytes = chartImageBytes(chart, endsWith(*file, ".svg") ? "svg" : "png");
    tellFailure(seams.ui, *file, writeBytesSafely(seams.files, pathFromUtf8(*file), bytes));
}

void addTableMenu(QTableView& view, ExportSeams seams) {
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        &view, &QWidget::customContextMenuRequested, &view, [&view, seams](const QPoint& at) {
            QMenu menu(&view);
            menu.addAction(QStringLiteral("コピー（タブ区切り）"),
                           [&view] { copySelection(view); });
            menu.addAction(QStringLiteral("CSV で保存..."), [&view, seams] {
                saveRowsAsCsv(seams, tableRowsOf(*view.model()), view.objectName().toStdString());
            });
            menu.exec(view.viewport()->mapToGlobal(at));
        });
}

void addChartMenu(QChartView& chart, ExportSeams seams, std::function<TableRows()> figures) {
    chart.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        &chart, &QWidget::customContextMenuRequested, &chart,
        [&chart, seams, figures = std::move(figures)](const QPoint& at) {
            QMenu menu(&chart);
            menu.addAction(QStringLiteral("画像で保存（PNG・SVG）..."), [&chart, seams] {
                saveChartImage(seams, chart, chart.objectName().toStdString());
            });
            if (figures) {
                menu.addAction(QStringLiteral("数値を CSV で保存..."), [&chart, seams, figures] {
                    saveRowsAsCsv(seams, figures(), chart.objectName().toStdString());
                });
            }
            menu.exec(chart.mapToGlobal(at));
        });
}

} // namespace zelkora::ui
