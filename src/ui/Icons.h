#pragma once
#include <QIcon>
#include <string_view>

namespace tabulyst::ui {
// The toolbar image of a command by its image name.
QIcon commandIcon(std::string_view name);
// The program's own icon, the one its desktop entry shows: the window icon.
QIcon applicationIcon();
}
