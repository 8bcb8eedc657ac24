#include "menu/MenuServices.h"
#include "menu/MenuTextTables.h"

const MenuColor ColorTable[MENU_COLOR_COUNT] = {
    {u"赤", 0xFFFF0000u}, {u"青", 0xFF0078FFu}, {u"黄", 0xFFFFFF00u},
    {u"茶", 0xFFAF6F16u}, {u"白", 0xFFFFFFFFu}, {u"黒", 0xFF585858u},
};

const char16_t* const ColorLevelTable[MENU_COLOR_LEVEL_COUNT] = {u"40",  u"55",  u"75",  u"100",
                                                                 u"150", u"200", u"250", u"350"};

const char16_t* const StatusNameTable[MENU_STATUS_COUNT] = {
    u"攻撃", u"防御", u"速度＋1", u"硬化", u"防護", u"毒",   u"技封", u"魔封", u"混乱", u"鈍足",
    u"足封", u"滑り", u"衰弱",    u"能低", u"貫通", u"停止", u"脆弱", u"呪い", u"標的",
};

const char16_t* const MagicNameTable[MENU_MAGIC_COUNT] = {
    u"スリーファイア", u"フロントファイア", u"サークルファイア", u"リトルチェイサー", u"フリーズショット",
    u"チルトフリーズ", u"カプリースブルー", u"フリーダンシング", u"クロスウインド",   u"リバースウインド",
    u"サンダーコール", u"ワールウインド",   u"アーストラップ",   u"アースシールド",   u"グラウンドファング",
    u"アテンダント",   u"ヒール",           u"リカバー",         u"ヒーリングミスト", u"アゲイン",
    u"ポイズンクロー", u"ルアーボイス",     u"デッドエンド",     u"ディザスター",
};

const char16_t* const SkillNameTable[MENU_SKILL_COUNT] = {u"吸収矢", u"祈り", u"青い盾"};

namespace {
enum Element : int { kRed, kBlue, kYellow, kBrown, kWhite, kBlack };
} // namespace

const MenuMagic MagicTable[MENU_MAGIC_COUNT] = {
    {15, kRed, 200, 120, u"前方に3個攻撃を作成"},
    {22, kRed, 250, 160, u"前面に5個攻撃を作成"},
    {30, kRed, 250, 224, u"周囲に8個攻撃を作成"},
    {35, kRed, 300, 280, u"敵を追跡する攻撃を作成"},
    {12, kBlue, 500, 96, u"敵の方向に直進する攻撃を作成"},
    {18, kBlue, 300, 128, u"斜め4方向に反射する攻撃を作成"},
    {21, kBlue, 400, 192, u"気まぐれに反射する攻撃を作成"},
    {35, kBlue, 200, 240, u"8個の反射する攻撃を作成"},
    {15, kYellow, 200, 88, u"敵の4方から攻撃を作成"},
    {22, kYellow, 350, 144, u"後ろに3個反転する攻撃を作成"},
    {30, kYellow, 100, 256, u"上から敵に降りそそぐ攻撃を作成"},
    {50, kYellow, 200, 360, u"長い間、左から攻撃を作成"},
    {12, kBrown, 350, 184, u"敵の付近に4個攻撃を作成"},
    {16, kBrown, 125, 160, u"自分の周りに8個攻撃を作成"},
    {22, kBrown, 300, 240, u"敵の付近に8個攻撃を作成"},
    {40, kBrown, 75, 464, u"味方全体の周りを回る攻撃を作成"},
    {16, kWhite, 0, 160, u"HP+80%"},
    {10, kWhite, 0, 160, u"味方全体の状態異常を回復"},
    {24, kWhite, 0, 200, u"味方全体のHP+60%"},
    {32, kWhite, 0, 200, u"蘇生 HP+75%"},
    {15, kBlack, 0, 176, u"敵全体を毒状態にし、上昇効果を解除"},
    {20, kBlack, 0, 104, u"敵全体を魔封状態にする"},
    {15, kBlack, 0, 248, u"敵全体を足封状態にする"},
    {85, kBlack, 0, 480, u"敵全体を脆弱状態にする"},
};
