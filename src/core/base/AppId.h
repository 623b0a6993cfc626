#pragma once
// The reverse-domain id of the installed program: the name of its desktop
// entry, icon and metainfo (packaging/ installs them under this name).
namespace tabulyst {
inline constexpr const char* kAppId = "org.example.tabulyst";
}
