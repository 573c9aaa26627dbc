#pragma once

#include "base/Services.h"

#include <QColor>
#include <optional>

namespace qvx {

// A file chosen in a file dialog, with the index of the filter that was in use.
struct FileChoice {
    QString path;
    int filterIndex = 0;
};

// The services the windows use beyond those of the core: the file dialogs and
// the colour dialog. Reached only through here, so tests can answer them.
class UiServices : public Services {
public:
  // The open dialog starts in FOLDER when one is given, else where the
  // last file dialog was.
  virtual std::optional<FileChoice> GetOpenFileName(const QString& caption,
                                                    const QStringList& filters,
                                                    const QString& folder = {}) = 0;
  virtual std::optional<FileChoice> GetSaveFileName(const QString& caption,
                                                    const QStringList& filters) = 0;
  virtual std::optional<QColor> PickColour(const QColor& initial) = 0;
};

} // namespace qvx
