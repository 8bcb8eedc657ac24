// The game texts the battle command menu's windows show: the colour words of
// the magic kinds, the target rows' colours, the magic, skill, ailment and
// setting names with their descriptions, and the option value texts. They
// live in their own namespace: the field menu has tables of the same names
// with its own contents. They are constant data defined here, in the
// header, so the field menu's global names stay the only declarations.
#pragma once

#include <cstdint>

#include "party/PartyServices.h"

namespace battlemenu {

constexpr int COLOUR_WORD_COUNT = 6;
constexpr int TARGET_COLOUR_COUNT = 4;
constexpr int MAGIC_NAME_COUNT = 24;
constexpr int SKILL_MEMBER_COUNT = 3;
constexpr int SKILLS_PER_MEMBER = 2;
constexpr int EFFECT_NAME_COUNT = 19;
constexpr int SETTING_NAME_COUNT = 17;
constexpr int BATTLE_SETTING_ROWS = 10;
constexpr int PERCENT_VALUE_COUNT = 10;

struct ColourWord {
    char16_t word; // one character
    std::uint32_t colour;
};

struct MagicName {
    const char16_t* name;
    int kind; // index into ColourWordTable
    const char16_t* description;
};

struct SkillName {
    const char16_t* name;
    const char16_t* cost; // the line after "SP"
    const char16_t* description;
};

struct SettingName {
    const char16_t* name;
    const char16_t* help; // two lines for settings 14 to 16
};

inline constexpr ColourWord ColourWordTable[COLOUR_WORD_COUNT] = {
    {u'赤', 0xFFFF0000u}, {u'青', 0xFF0000FFu}, {u'黄', 0xFFE09040u},
    {u'茶', 0xFFA05000u}, {u'白', 0xFFF8F8F8u}, {u'黒', 0xFF000000u},
};

inline constexpr std::uint32_t TargetColourTable[TARGET_COLOUR_COUNT] = {0xFF989898u, 0xFF000000u, 0xFF10A810u,
                                                                         0xFFA04040u};

// Magic kinds: indices into ColourWordTable.
enum MagicKind : int { kRed, kBlue, kYellow, kBrown, kWhite, kBlack };

inline constexpr MagicName MagicNameTable[MAGIC_NAME_COUNT] = {
    {u"スリーファイア", kRed, u"前方に3個攻撃を作成"},
    {u"フロントファイア", kRed, u"前面に5個攻撃を作成"},
    {u"サークルファイア", kRed, u"周囲に8個攻撃を作成"},
    {u"リトルチェイサー", kRed, u"敵を追跡する攻撃を作成"},
    {u"フリーズショット", kBlue, u"敵の方向に直進する攻撃を作成"},
    {u"チルトフリーズ", kBlue, u"斜め4方向に反射する攻撃を作成"},
    {u"カプリースブルー", kBlue, u"気まぐれに反射する攻撃を作成"},
    {u"フリーダンシング", kBlue, u"8個の反射する攻撃を作成"},
    {u"クロスウインド", kYellow, u"敵の4方から攻撃を作成"},
    {u"リバースウインド", kYellow, u"後ろに3個反転する攻撃を作成"},
    {u"サンダーコール", kYellow, u"上から敵に降りそそぐ攻撃を作成"},
    {u"ワールウインド", kYellow, u"長い間、左から攻撃を作成"},
    {u"アーストラップ", kBrown, u"敵の付近に4個攻撃を作成"},
    {u"アースシールド", kBrown, u"自分の周りに8個攻撃を作成"},
    {u"グラウンドファング", kBrown, u"敵の付近に8個攻撃を作成"},
    {u"アテンダント", kBrown, u"味方全体の周りを回る攻撃を作成"},
    {u"ヒール", kWhite, u"HP+80%"},
    {u"リカバー", kWhite, u"味方全体の状態異常を回復"},
    {u"ヒーリングミスト", kWhite, u"味方全体のHP+60%"},
    {u"アゲイン", kWhite, u"蘇生 HP+75%"},
    {u"ポイズンクロー", kBlack, u"敵全体を毒状態にし、上昇効果を解除"},
    {u"ルアーボイス", kBlack, u"敵全体を魔封状態にする"},
    {u"デッドエンド", kBlack, u"敵全体を足封状態にする"},
    {u"ディザスター", kBlack, u"敵全体を脆弱状態にする"},
};

// Member 2's cost lines carry the action time after an ideographic space.
inline constexpr SkillName SkillNameTable[SKILL_MEMBER_COUNT][SKILLS_PER_MEMBER] = {
    {{u"吹き飛ばし", u"20", u"威力150% 吹き飛ばし"}, {u"強打", u"60", u"威力800%"}},
    {{u"毒矢", u"20", u"威力100% ランダム状態異常追加"}, {u"吸収矢", u"40", u"威力150% HP吸収"}},
    {{u"祈り", u"40\u3000行動時間1.8秒", u"自身のHP+1～100%"},
     {u"青い盾", u"50\u3000行動時間2.5秒", u"自身に防護追加"}},
};

inline constexpr const char16_t* AilmentNameTable[EFFECT_NAME_COUNT] = {
    u"攻撃", u"防御", u"速度＋1", u"硬化", u"防護", u"毒",   u"技封", u"魔封", u"混乱", u"鈍足",
    u"足封", u"滑り", u"衰弱",    u"能低", u"貫通", u"停止", u"脆弱", u"呪い", u"標的",
};

inline constexpr const char16_t* AilmentDescriptionTable[AILMENT_COUNT] = {
    u"5秒毎に最大HPの4%のダメージ\u3000攻撃力-10%",
    u"特技が使用できなくなる",
    u"魔法が使用できなくなる",
    u"移動方向が反転する",
    u"移動速度-50%",
    u"移動できなくなる",
    u"移動時に滑るようになる",
    u"体力回復速度が減少する\u3000攻撃力-15%",
    u"攻撃力-25% 防御力-33%",
    u"防御、魔防が0になる",
    u"行動できなくなる",
    u"物理攻撃を受ければ即死する",
    u"ダメージ時の無敵時間が半減する",
    u"敵に狙われやすくなる",
};

inline constexpr SettingName SettingNameTable[SETTING_NAME_COUNT] = {
    {u"ショートカット", u"ショートカットボタン"},
    {u"魔法習得", u"魔法の習得"},
    {u"操作キャラクター", u"操作するキャラクター"},
    {u"ウィンドウ表示", u"マップ移動時のウィンドウ表示方法"},
    {u"BGM音量", u"BGMの音量\u30000で演奏しない"},
    {u"SE音量", u"効果音の音量\u30000で演奏しない"},
    {u"文章表示速度", u"文章を表示する速度"},
    {u"画面効果", u"特殊な画面効果を使用するか"},
    {u"通常移動", u"を押していない時の移動速度"},
    {u"AIの魔法使用", u"AIが魔法を使用するか"},
    {u"HP回復使用", u"AIがHP回復魔法を使用するHP%"},
    {u"祈り使用", u"AIが祈りを使用するHP%"},
    {u"全体HP回復使用", u"AIが全体HP回復魔法を使用するHP%(対象2名以上)"},
    {u"状態異常回復使用", u"AIが状態異常回復魔法を使用する状態異常"},
    {u"行動の中断", u"AIが行動できない、する必要がない状態になった時\n行動を中断するか"},
    {u"道具使用優先", u"ショートカットによる道具使用を\n操作キャラクター優先にするか"},
    {u"詠唱判定", u"使用する色が足りない場合でも\nショートカットによる詠唱を開始するか"},
};

inline constexpr int BattleSettingNumbers[BATTLE_SETTING_ROWS] = {0, 2, 9, 10, 11, 12, 13, 14, 15, 16};

inline constexpr const char16_t* PercentValueTable[PERCENT_VALUE_COUNT] = {u" 9%", u"19%", u"29%", u"39%", u"49%",
                                                                           u"59%", u"69%", u"79%", u"89%", u"99%"};

constexpr std::uint32_t ColourWordColour(char16_t first)
{
    for (const ColourWord& entry : ColourWordTable)
        if (entry.word == first)
            return entry.colour;
    return 0;
}

} // namespace battlemenu
