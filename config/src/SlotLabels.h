// Names of the game's button slots, shown on the keyboard and joystick pages.
#pragma once

namespace config {

inline constexpr const char* kSlotTitles[15] = {"ボタン0",  "ボタン1", "ボタン2", "ボタン3", "ボタン4",
                                                "ボタン5",  "ボタン6", "ボタン7", "ボタン8", "ボタン9",
                                                "ボタン10", "↑",       "↓",       "←",       "→"};

// What each button does in the game.
inline constexpr const char* kSlotUses[11] = {"決定　調べる　通常攻撃",
                                              "キャンセル　移動速度切り替え",
                                              "メニュー表示",
                                              "操作キャラクター切り替え",
                                              "スキル1　ショートカット5",
                                              "スキル2　ショートカット6",
                                              "ショートカット1　ショートカット7",
                                              "ショートカット2　ショートカット8",
                                              "ショートカット3　ショートカット9",
                                              "ショートカット4　ショートカット10",
                                              "ショートカット切り替え"};

} // namespace config
