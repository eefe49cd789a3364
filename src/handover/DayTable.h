#pragma once

#include "day/ScheduleDay.h"

#include <QByteArray>
#include <QPageLayout>
#include <string>

class QPagedPaintDevice;

// The day on paper: per position a table of its broadcasts in start order with the columns
// Start, End, Running time, Series, Programme, Language, each position from a new page. Every
// page is headed by the channel name (UTF-8), the date the position airs on (its weekday in the
// system's language and the ISO date) and the position's caption, and ends in "Page n of m".
// Texts too long for their column wrap within it; a row never splits across pages (one taller
// than a whole page is cut at the page's end). Times are the clock's hh:mm, whole minutes
// rounded, followed by "+1" or "-1" when they fall on the next or the previous day; running
// times are h:mm. Paints on the pages as the device has them (A4 for the PDF, the printer's
// page when printing) and returns the number of pages painted; 0 when the device takes no
// painter (a printer that failed to start).
int PaintDayTable(QPagedPaintDevice& device, const TScheduleDay& day,
                  const std::string& channelName);

// The page the PDF is laid out on: A4 portrait with margins of 15 mm.
QPageLayout DayTablePdfPage();

// The PDF bytes of the day as PaintDayTable paints it on DayTablePdfPage, fonts embedded.
QByteArray DayTablePdf(const TScheduleDay& day, const std::string& channelName);
