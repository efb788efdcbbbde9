#include "app/MainLayout.h"

namespace {
// clang-format off
constexpr TMainComponent kLayout[] = {
  // name            kind                    parent       align     left top  w    h    text
  {"WebBrowser1",  TMainKind::WebBrowser,  nullptr,     alTop,    0,   0,   533, 161, L""},
  {"GroupBox3",    TMainKind::GroupBox,    nullptr,     alTop,    0,   161, 533, 136, L"设置"},
  {"Panel1",       TMainKind::Panel,       "GroupBox3", alClient, 2,   14,  529, 120, L""},
  {"Panel2",       TMainKind::Panel,       "Panel1",    alBottom, 0,   94,  529, 26,  L""},
  {"lvwFiles",     TMainKind::ListView,    "Panel1",    alClient, 0,   0,   529, 94,  L""},
  {"btnAdd",       TMainKind::Button,      "Panel2",    alNone,   16,  1,   75,  25,  L"新增"},
  {"btnDelete",    TMainKind::Button,      "Panel2",    alNone,   115, 1,   75,  25,  L"删除"},
  {"btnClear",     TMainKind::Button,      "Panel2",    alNone,   214, 1,   75,  25,  L"清空"},
  {"btnAddFolder", TMainKind::Button,      "Panel2",    alNone,   313, 1,   75,  25,  L"添加目录"},
  {"GroupBox6",    TMainKind::GroupBox,    nullptr,     alTop,    0,   297, 533, 48,  L"输出"},
  {"Label10",      TMainKind::Label,       "GroupBox6", alNone,   8,   21,  60,  14,  L"输出目录"},
  {"edtSaveDir",   TMainKind::Edit,        "GroupBox6", alNone,   72,  17,  213, 21,  L""},
  {"lblParallel",  TMainKind::Label,       "GroupBox6", alNone,   293, 21,  52,  14,  L"同时转换"},
  {"cbxParallel",  TMainKind::ComboBox,    "GroupBox6", alNone,   349, 17,  83,  21,  L""},
  {"Button8",      TMainKind::Button,      "GroupBox6", alNone,   440, 15,  85,  25,  L"设置输出目录"},
  {"GroupBox2",    TMainKind::GroupBox,    nullptr,     alTop,    0,   345, 533, 64,  L"进度"},
  {"Label1",       TMainKind::Label,       "GroupBox2", alNone,   16,  16,  90,  14,  L"当前操作描述"},
  {"Label2",       TMainKind::Label,       "GroupBox2", alNone,   16,  37,  90,  14,  L"当前文件进度"},
  {"lblInfo",      TMainKind::Label,       "GroupBox2", alNone,   112, 16,  409, 14,  L"准备就绪"},
  {"ProgressBar1", TMainKind::ProgressBar, "GroupBox2", alNone,   112, 35,  409, 18,  L""},
  {"btnConvert",   TMainKind::Button,      nullptr,     alNone,   218, 416, 97,  33,  L"立即转换"},
};
// clang-format on
}  // namespace

std::basic_string_view<TMainComponent> MainLayout() {
  return {kLayout, sizeof(kLayout) / sizeof(kLayout[0])};
}
