#pragma once

#include <QIcon>
#include <QString>

// The toolbar's 48-by-48 images, bundled in the program: for each button a normal, a hover and a
// disabled look (":/app/toolbar/NAME.svg", "NAME-hover.svg", "NAME-disabled.svg"), drawn here
// so that no icon theme or image plug-in is needed.
namespace ToolbarIcons {
constexpr int kSize = 48;
QIcon Icon(const QString& name);
}  // namespace ToolbarIcons
