#include "handover/DayTable.h"

#include "handover/DayClock.h"
#include "platform/Cp1251.h"
#include "platform/DateTime.h"

#include <QBuffer>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <algorithm>
#include <array>
#include <vector>

namespace {

// Has Cyrillic, and the application's setup installs it.
constexpr char kFamily[] = "DejaVu Sans";

enum Column { kStart, kEnd, kRunning, kSeries, kProgramme, kLanguage, kColumns };
constexpr std::array<const char*, kColumns> kHeadings = {"Start",  "End",       "Running time",
                                                         "Series", "Programme", "Language"};
// How series, programme and language share the width the times leave.
constexpr std::array<qreal, 3> kTextShares = {0.38, 0.42, 0.20};

using Cells = std::array<QString, kColumns>;

struct Row {
    Cells cells;
    qreal height = 0;
};

// One position's rows in start order, with what its pages are headed by.
struct Table {
    QString date;
    QString caption;
    std::vector<Row> rows;
};

// Rows [first, last) of one table.
struct Page {
    const Table* table = nullptr;
    size_t first = 0;
    size_t last = 0;
};

QFont Font(qreal points, bool bold) {
    QFont font(kFamily);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Fonts and places on the page, in the device's pixels.
struct Sheet {
    QFont body = Font(9, false);
    QFont heading = Font(9, true);
    QFont title = Font(14, true);
    QFont subtitle = Font(11, false);
    QFont footer = Font(8, false);
    qreal mm = 0;
    qreal width = 0;
    qreal padding = 0;
    std::array<qreal, kColumns + 1> x{}; // the columns' left edges, then the table's right edge
    qreal tableTop = 0;                  // below the page header
    qreal bodyTop = 0;                   // below the column headings
    qreal bodyBottom = 0;                // above the footer
    qreal pageBottom = 0;
};

QString Text(const std::string& cp1251) {
    return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

// The wrapping of every cell: at word boundaries, and anywhere in a word wider than the column.
const QTextOption& Wrapping() {
    static const QTextOption option = [] {
        QTextOption wrapping(Qt::AlignLeft | Qt::AlignTop);
        wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        return wrapping;
    }();
    return option;
}

// The height of the text wrapped to the width in the painter's font, one line at least.
qreal TextHeight(QPainter& painter, qreal width, const QString& text) {
    const qreal line = QFontMetricsF(painter.font(), painter.device()).height();
    if (text.isEmpty()) return line;
    return std::max(line,
                    painter.boundingRect(QRectF(0, 0, width, 1e9), text, Wrapping()).height());
}

QRectF CellRect(const Sheet& sheet, int column, qreal top, qreal height) {
    return QRectF(sheet.x[column], top, sheet.x[column + 1] - sheet.x[column], height)
        .adjusted(sheet.padding, sheet.padding, -sheet.padding, -sheet.padding);
}

qreal RowHeight(QPainter& painter, const Sheet& sheet, const Cells& cells) {
    qreal height = 0;
    for (int column = 0; column < kColumns; ++column)
        height = std::max(
            height, TextHeight(painter, CellRect(sheet, column, 0, 0).width(), cells[column]));
    return std::min(height + 2 * sheet.padding, sheet.bodyBottom - sheet.bodyTop);
}

Cells Headings() {
    Cells cells;
    for (int column = 0; column < kColumns; ++column)
        cells[column] = kHeadings[column];
    return cells;
}

// The time columns as wide as their heading or their widest time, with a millimetre to spare
// so that rounding never wraps them; the rest shared out.
void PlaceColumns(QPainter& painter, Sheet& sheet) {
    const QFontMetricsF heading(sheet.heading, painter.device());
    const QFontMetricsF body(sheet.body, painter.device());
    const char* widest[] = {"00:00 +1", "00:00 +1", "00:00"};
    for (int column = kStart; column < kSeries; ++column)
        sheet.x[column + 1] = sheet.x[column] + 2 * sheet.padding + sheet.mm +
                              std::max(heading.horizontalAdvance(kHeadings[column]),
                                       body.horizontalAdvance(widest[column]));
    const qreal rest = std::max<qreal>(0, sheet.width - sheet.x[kSeries]);
    for (int column = kSeries; column < kColumns; ++column)
        sheet.x[column + 1] = sheet.x[column] + rest * kTextShares[column - kSeries];
}

Sheet MakeSheet(QPainter& painter) {
    const QPaintDevice& device = *painter.device();
    Sheet sheet;
    sheet.mm = device.logicalDpiY() / 25.4;
    sheet.width = device.width();
    sheet.padding = 0.8 * sheet.mm;
    PlaceColumns(painter, sheet);
    sheet.tableTop = QFontMetricsF(sheet.title, &device).height() +
                     QFontMetricsF(sheet.subtitle, &device).height() + 3 * sheet.mm;
    sheet.pageBottom = device.height();
    sheet.bodyBottom =
        sheet.pageBottom - QFontMetricsF(sheet.footer, &device).height() - 2 * sheet.mm;
    sheet.bodyTop = sheet.tableTop; // RowHeight caps at the body's height, all of the page yet
    painter.setFont(sheet.heading);
    sheet.bodyTop += RowHeight(painter, sheet, Headings());
    return sheet;
}

Cells BroadcastCells(const TDayBroadcast& broadcast) {
    return {QString::fromStdString(ClockText(broadcast.Start, true)),
            QString::fromStdString(ClockText(broadcast.End, true)),
            QString::fromStdString(RunningText(broadcast.RunningTime(), false)),
            Text(broadcast.SeriesName),
            Text(broadcast.ProgramName),
            Text(broadcast.Language)};
}

QString AirDate(TDateTime date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    const QDate airDate(year, month, day);
    return QLocale().dayName(airDate.dayOfWeek()) + ' ' + airDate.toString(Qt::ISODate);
}

std::vector<std::vector<const TDayBroadcast*>> InStartOrder(const TScheduleDay& day) {
    std::vector<std::vector<const TDayBroadcast*>> positions(
        std::max(day.Positions, PositionsFor(day.Broadcasts)));
    for (const TDayBroadcast& broadcast : day.Broadcasts)
        if (broadcast.Position >= 0) positions[broadcast.Position].push_back(&broadcast);
    for (auto& broadcasts : positions)
        std::stable_sort(broadcasts.begin(), broadcasts.end(),
                         [](const auto* a, const auto* b) { return a->Start < b->Start; });
    return positions;
}

std::vector<Table> Tables(QPainter& painter, const Sheet& sheet, const TScheduleDay& day) {
    painter.setFont(sheet.body);
    std::vector<Table> tables;
    const auto positions = InStartOrder(day);
    for (size_t position = 0; position < positions.size(); ++position) {
        Table table;
        table.date = AirDate(day.Date + static_cast<double>(position));
        if (position + 1 < day.Captions.size()) table.caption = Text(day.Captions[position + 1]);
        for (const TDayBroadcast* broadcast : positions[position]) {
            Row row{BroadcastCells(*broadcast), 0};
            row.height = RowHeight(painter, sheet, row.cells);
            table.rows.push_back(std::move(row));
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

// Each table from a new page, as many whole rows on a page as fit; at least one.
std::vector<Page> Paginate(const std::vector<Table>& tables, qreal bodyHeight) {
    std::vector<Page> pages;
    for (const Table& table : tables) {
        Page page{&table, 0, 0};
        qreal used = 0;
        for (size_t row = 0; row < table.rows.size(); ++row) {
            if (page.last > page.first && used + table.rows[row].height > bodyHeight) {
                pages.push_back(page);
                page = Page{&table, row, row};
                used = 0;
            }
            used += table.rows[row].height;
            page.last = row + 1;
        }
        pages.push_back(page);
    }
    return pages;
}

qreal PaintRow(QPainter& painter, const Sheet& sheet, const Cells& cells, qreal top, qreal height) {
    for (int column = 0; column < kColumns; ++column)
        painter.drawText(CellRect(sheet, column, top, height), cells[column], Wrapping());
    painter.setPen(QPen(QColor(160, 160, 160), 0.2 * sheet.mm));
    painter.drawLine(QPointF(0, top + height), QPointF(sheet.x.back(), top + height));
    painter.setPen(Qt::black);
    return top + height;
}

void PaintHeader(QPainter& painter, const Sheet& sheet, const QString& channel,
                 const Table& table) {
    const QFontMetricsF title(sheet.title, painter.device());
    const QFontMetricsF subtitle(sheet.subtitle, painter.device());
    const qreal dateWidth = subtitle.horizontalAdvance(table.date);
    painter.setFont(sheet.subtitle);
    painter.drawText(QRectF(0, 0, sheet.width, title.height()), Qt::AlignRight | Qt::AlignBottom,
                     table.date);
    painter.drawText(QRectF(0, title.height(), sheet.width, subtitle.height()), Qt::AlignLeft,
                     subtitle.elidedText(table.caption, Qt::ElideRight, sheet.width));
    painter.setFont(sheet.title);
    painter.drawText(
        QRectF(0, 0, sheet.width, title.height()), Qt::AlignLeft | Qt::AlignBottom,
        title.elidedText(channel, Qt::ElideRight, sheet.width - dateWidth - 5 * sheet.mm));
}

void PaintPage(QPainter& painter, const Sheet& sheet, const QString& channel, const Page& page,
               int number, int count) {
    PaintHeader(painter, sheet, channel, *page.table);
    const qreal headingHeight = sheet.bodyTop - sheet.tableTop;
    painter.fillRect(QRectF(0, sheet.tableTop, sheet.x.back(), headingHeight),
                     QColor(230, 230, 230));
    painter.setFont(sheet.heading);
    qreal top = PaintRow(painter, sheet, Headings(), sheet.tableTop, headingHeight);
    painter.setFont(sheet.body);
    for (size_t row = page.first; row < page.last; ++row) {
        const Row& printed = page.table->rows[row];
        top = PaintRow(painter, sheet, printed.cells, top, printed.height);
    }
    painter.setFont(sheet.footer);
    painter.drawText(QRectF(0, sheet.bodyBottom, sheet.width, sheet.pageBottom - sheet.bodyBottom),
                     Qt::AlignHCenter | Qt::AlignBottom,
                     QString("Page %1 of %2").arg(number).arg(count));
}

} // namespace

int PaintDayTable(QPagedPaintDevice& device, const TScheduleDay& day,
                  const std::string& channelName) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    const Sheet sheet = MakeSheet(painter);
    const std::vector<Table> tables = Tables(painter, sheet, day);
    const std::vector<Page> pages = Paginate(tables, sheet.bodyBottom - sheet.bodyTop);
    const QString channel = QString::fromStdString(channelName);
    int painted = 0;
    for (const Page& page : pages) {
        if (painted > 0 && !device.newPage()) break;
        PaintPage(painter, sheet, channel, page, ++painted, static_cast<int>(pages.size()));
    }
    painter.end();
    return painted;
}

QPageLayout DayTablePdfPage() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

QByteArray DayTablePdf(const TScheduleDay& day, const std::string& channelName) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(DayTablePdfPage());
        writer.setCreator("Skedora");
        writer.setTitle(QString::fromStdString(channelName) + ' ' +
                        QString::fromStdString(FormatDateTime("yyyy-mm-dd", day.Date)));
        PaintDayTable(writer, day, channelName);
    }
    return pdf;
}
