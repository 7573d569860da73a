#pragma once
// The printed program listing: a title, a heading line and the program
// lines at fixed places in device pixels. A full page continues on the next.

#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace pelmora::workbench {

struct PrintPlace {
  int page = 0;  // from 0
  int y = 0;     // top of the line in device pixels
};

// Places of the program lines: line n at 300 + 50n on the first page; a line
// that would pass the bottom margin starts a new page at the top margin.
QList<PrintPlace> listingPlaces(int lineCount, int pageHeight);

// Prints the listing at the device's resolution (meant for 300 dpi).
// Returns the number of pages, or 0 when the device could not be opened.
int printListing(QPagedPaintDevice& device, const QString& title, const QString& heading,
                 const QStringList& lines);

}  // namespace pelmora::workbench
