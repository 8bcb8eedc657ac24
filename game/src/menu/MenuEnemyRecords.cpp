// Choosing a kind on the enemy records page: its picture (loaded only when
// the graphic changes) and every text the page shows, prepared once so
// drawing does no formatting.
#include <algorithm>
#include <new>

#include "core/EnemyKinds.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "menu/MapMenu.h"
#include "menu/MenuEnemyDrop.h"
#include "menu/MenuEnemyRecordLayout.h"
#include "menu/MenuServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "MapMenu";
constexpr int kMainPack = 0;
// The picture stands centred in a band 104 pixels high under the name.
constexpr float kNameRow = 26.0f;
constexpr float kPictureBand = 104.0f;
constexpr std::uint16_t kDefeatBits = 0x3FFF;
constexpr std::uint16_t kDropTakenBit = 0x8000;

enum EnemyMarker : int { kLoadedGraphic = 2, kShownKind = 3 };

float MeasuredWidth(const char16_t* text, int length)
{
    const int width = ZephTextTexture != nullptr ? ZephTextTexture->GetStringWidth(text, length) : -1;
    return width < 0 ? 0.0f : static_cast<float>(width);
}

void Format(RecordNumber& number, std::int32_t value)
{
    number.length = static_cast<std::uint8_t>(FormatNumber(value, number.text));
}

} // namespace

void CMapMenu::ShowEnemyRecord(int kind)
{
    // A picture that failed to load is tried again when the kind is chosen again.
    if (kind != markers[kShownKind] || enemyPicture == nullptr)
        SelectRecordsEnemy(kind);
}

void CMapMenu::SelectRecordsEnemy(int kind)
{
    const EnemyKind* found = FindEnemyKind(kind);
    if (found == nullptr)
        return;
    const EnemyKindDef& def = found->def;
    markers[kShownKind] = static_cast<std::int16_t>(kind);
    if (def.GraphicId != markers[kLoadedGraphic] || enemyPicture == nullptr) {
        // Only the texture goes: the kind just chosen stays shown.
        delete enemyPicture;
        enemyPicture = nullptr;
        markers[kLoadedGraphic] = -1;
        enemyPicture = new (std::nothrow) CTexture;
        if (enemyPicture == nullptr) {
            REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
            return;
        }
        enemyPicture->InitTexture();
        if (enemyPicture->LoadTexture(kMainPack, PACK_ENEMY_GRAPHIC_FIRST + def.GraphicId)) {
            markers[kLoadedGraphic] = static_cast<std::int16_t>(def.GraphicId);
        } else {
            delete enemyPicture;
            enemyPicture = nullptr;
        }
    }
    if (enemyPicture != nullptr)
        PlaceEnemyPicture(def.SizeClass);
    PrepareEnemyRecordTexts(kind);
}

// A sheet narrower than four pictures holds them at half size; a sheet at
// least four times as wide as high has one row. The picture is always drawn
// at full size, centred under the name.
void CMapMenu::PlaceEnemyPicture(int sizeClass)
{
    const CTexture& sheet = *enemyPicture;
    const float side = static_cast<float>(EnemySpriteSide(sizeClass));
    const float source = sheet.width < 4.0f * side ? side / 2.0f : side;
    const float row = sheet.height * 4.0f <= sheet.width ? 0.0f : 3.0f * source;
    float u[4], v[4];
    sheet.RectToUV(0.0f, row, source, row + source, u, v);

    const EnemyDetailArea area = EnemyDetailLayout();
    const float left = static_cast<float>(static_cast<int>(area.width / 2.0f + area.headingX - side / 2.0f));
    const float top =
        static_cast<float>(static_cast<int>(area.headingY + kNameRow + kPictureBand / 2.0f - side / 2.0f));
    TexturedVertex* quad = pictureQuads[0];
    for (int i = 0; i < 4; ++i) {
        quad[i].x = (i & 1 ? left + side : left) - 0.5f;
        quad[i].y = (i & 2 ? top + side : top) - 0.5f;
        quad[i].u = u[i];
        quad[i].v = v[i];
    }
}

void CMapMenu::PrepareEnemyRecordTexts(int kind)
{
    const EnemyKindDef& def = FindEnemyKind(kind)->def;
    const std::uint16_t record = TheGameData->enemyRecords[kind];
    EnemyRecordDetail& detail = enemyDetail;
    detail.nameWidth = MeasuredWidth(def.Name, std::clamp(def.NameLength, 0, ENEMY_NAME_UNITS));
    detail.dropNameWidth = 0.0f;
    if (def.DropChance != 0 && (record & kDropTakenBit) != 0) {
        char16_t name[ENEMY_DROP_NAME_CHARS];
        const int length = GetEnemyDropName(kind, name);
        if (length > 0)
            detail.dropNameWidth = MeasuredWidth(name, length);
    }
    Format(detail.level, def.Level);
    Format(detail.hp, def.MaxHp);
    Format(detail.exp, def.Exp);
    Format(detail.money, def.Money);
    const std::int32_t stats[ENEMY_RECORD_STATS] = {def.Attack, def.AttackB, def.Defence, def.DefenceB};
    for (int s = 0; s < ENEMY_RECORD_STATS; ++s)
        Format(detail.stats[s], stats[s]);
    Format(detail.defeated, std::min<std::int32_t>(record & kDefeatBits, ENEMY_DEFEAT_CAP));
    const std::int32_t resist[ENEMY_RECORD_ELEMENTS] = {def.Resist0, def.Resist1, def.Resist2, def.Resist3};
    for (int e = 0; e < ENEMY_RECORD_ELEMENTS; ++e)
        detail.resist[e] = static_cast<std::uint8_t>(resist[e] & 7);
    detail.immunityMask = GetEnemyImmunityMask(kind);
}
