#pragma once

#include <string>

class QString;
class QWidget;

namespace velmora {

// The platform's open-file dialog, owned by `owner`: offers the files that
// `filter` ("Name (*.a;*.b)", patterns split by ';') matches, accepts only
// an existing file, and returns its full path; empty when the user cancels.
std::string ChooseExistingFile(QWidget* owner, const QString& filter);

}  // namespace velmora
