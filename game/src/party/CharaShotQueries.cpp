// What the party's thinking and the enemies ask of the shot list: whether a
// straight shot has reached an enemy, whether magic is on the field and
// where the nearest magic shot is.
#include "core/BattleAngles.h"
#include "enemies/EnemyServices.h"
#include "party/CharaShot.h"
#include "party/PartyServices.h"

namespace {

// The field enlarged by 16 px; a shot must lie wholly inside it.
bool InsideWideField(const CharaShotNode& node)
{
    return node.x > -16.0f && node.x + 32.0f < 656.0f && node.y > 64.0f && node.y + 32.0f < 496.0f;
}

bool IsMagicOnField(const CharaShotNode& node)
{
    return node.Kind() == SHOT_MAGIC && InsideWideField(node);
}

} // namespace

bool CCharaShot::CharaShotHitsEnemy(int direction, int enemySlot) const
{
    // A direction beyond the four straight ones has no counter to read.
    if (direction < 0 || direction > 3 || straightCount[direction] == 0)
        return false;
    const CharaShotNode* node = head;
    while (node != nullptr && !(node->Kind() == SHOT_STRAIGHT && node->Direction() == direction))
        node = node->next;
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    if (node == nullptr || !GetEnemyHitEdges(enemySlot, left, top, right, bottom))
        return false;
    switch (direction) {
    case 0:
        return node->x + 13.0f >= left;
    case 1:
        return node->y + 13.0f >= top;
    case 2:
        return right >= node->x + 19.0f;
    default:
        return bottom >= node->y + 19.0f;
    }
}

bool CCharaShot::AnyCharaShotInRect() const
{
    for (const CharaShotNode* node = head; node != nullptr; node = node->next)
        if (IsMagicOnField(*node))
            return true;
    return false;
}

bool CCharaShot::NearestCharaShot(float& angle, float px, float py) const
{
    angle = 0.0f;
    double best = MEMBER_SEARCH_BOUND;
    const CharaShotNode* nearest = nullptr;
    for (const CharaShotNode* node = head; node != nullptr; node = node->next) {
        if (!IsMagicOnField(*node))
            continue;
        const double dx = static_cast<double>(node->x + 16.0f) - px;
        const double dy = static_cast<double>(node->y + 16.0f) - py;
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = node;
        }
    }
    if (nearest == nullptr || (nearest->x + 16.0f == px && nearest->y + 16.0f == py))
        return false;
    angle = AngleFromDelta(nearest->x + 16.0f - px, nearest->y + 16.0f - py);
    if (angle >= BATTLE_PI)
        angle -= 2.0f * BATTLE_PI;
    return true;
}
