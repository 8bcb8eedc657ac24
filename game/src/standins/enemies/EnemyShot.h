// Stand-in for the part CEnemyShotList: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/enemies/.
//
// The two lists hold nodes with the fields the battle's draw-order list
// reads; nothing but tests and benches fills them yet. Each node is drawn as
// one plain square.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/SceneTrace.h"
#include "media/Texture.h"

// The shot node's flag word: bit 31 marks a shot that is drawn.
constexpr std::uint32_t ENEMY_SHOT_VISIBLE = 1u << 31;
constexpr float ENEMY_SHOT_STANDIN_SIZE = 16.0f;

struct EnemyShotNode {
    EnemyShotNode* next;
    std::uint32_t flags;
    float x, y;
    float velX, velY;
    std::int16_t life; // negative: dead
};

class CEnemyShotList {
public:
    void InitEnemyShot() { SceneTrace::Note("InitEnemyShot"); }
    void ReleaseEnemyShot()
    {
        SceneTrace::Note("ReleaseEnemyShot");
        DropAll();
    }
    // The shots' fade after a win, 255 at a battle's set-up.
    void SetShotFade(int alpha)
    {
        SceneTrace::Note("SetShotFade", alpha);
        fadeAlpha = static_cast<std::int16_t>(alpha);
    }
    void UpdateEnemyShot() { SceneTrace::Note("UpdateEnemyShot"); }
    void ClearEnemyShots()
    {
        SceneTrace::Note("ClearEnemyShots");
        DropAll();
    }
    // A shot at (x, y) on the main list, or on the ground-level list.
    EnemyShotNode* AddEnemyShot(float x, float y, bool visible, bool ground = false)
    {
        nodes.push_back(std::make_unique<EnemyShotNode>());
        EnemyShotNode* node = nodes.back().get();
        *node = EnemyShotNode{};
        node->x = x;
        node->y = y;
        node->flags = visible ? ENEMY_SHOT_VISIBLE : 0u;
        EnemyShotNode*& list = ground ? groundHead : head;
        node->next = list;
        list = node;
        return node;
    }
    // The ground-level records, beneath every actor.
    void DrawEnemyShot()
    {
        SceneTrace::Note("DrawEnemyShot");
        for (EnemyShotNode* node = groundHead; node != nullptr; node = node->next)
            DrawSquare(*node, 0.61f, 0x80FF8040u);
    }
    void DrawEnemyShotSprite(EnemyShotNode* node, float z)
    {
        if (node != nullptr)
            DrawSquare(*node, z, 0xFFFF4040u);
    }

    EnemyShotNode* head = nullptr;
    EnemyShotNode* groundHead = nullptr;
    std::int16_t fadeAlpha = 255;

private:
    void DropAll()
    {
        head = groundHead = nullptr;
        nodes.clear();
    }
    void DrawSquare(const EnemyShotNode& node, float z, std::uint32_t colour)
    {
        const std::uint32_t alpha = static_cast<std::uint32_t>(fadeAlpha < 0 ? 0 : fadeAlpha > 255 ? 255 : fadeAlpha);
        ColouredVertex quad[4];
        for (int i = 0; i < 4; ++i)
            quad[i] = {node.x - 0.5f + ((i & 1) != 0 ? ENEMY_SHOT_STANDIN_SIZE : 0.0f),
                       node.y - 0.5f + ((i & 2) != 0 ? ENEMY_SHOT_STANDIN_SIZE : 0.0f), z, 1.0f,
                       (colour & 0x00FFFFFFu) | ((((colour >> 24) * alpha) / 255u) << 24)};
        SetCachedTexture(nullptr);
        SetCachedFvf(FVF_COLOURED);
        DrawQuadStrip(quad, sizeof(ColouredVertex));
    }

    std::vector<std::unique_ptr<EnemyShotNode>> nodes;
};
