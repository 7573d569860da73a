#pragma once
// Renders windows to PNG for the window gallery.

#include <QImage>
#include <QString>

class QWidget;

namespace testsupport {

// The window as a person sees it, with a title bar carrying its caption.
QImage renderWindow(QWidget& window);

// Writes <dir>/<name>.png when WINDOW_GALLERY_DIR is set; returns the path
// written, or an empty string.
QString saveToGallery(QWidget& window, const QString& name);

}  // namespace testsupport
