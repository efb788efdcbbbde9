#pragma once
// The class-name mappings a skin data component starts with: lines of the
// form class name "=" kind, looked up by the control-skinning walk.
#include <string>
#include <vector>

const std::vector<std::string>& DefaultSkin3rdLines();
