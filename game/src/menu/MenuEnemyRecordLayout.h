// Where the enemy records page places the chosen kind's detail inside
// fixed window 22: the heading (name, then the picture), two value columns,
// the status grid and the treasure line, chosen to fit the window.
#pragma once

struct EnemyDetailArea {
    float headingX, headingY, headingZ;
    float width;
    float column1, column2;
    float gridX;
    float treasureY;
};

constexpr int ENEMY_LIST_WINDOW = 21;
constexpr int ENEMY_DETAIL_WINDOW = 22;
constexpr int ENEMY_ROWS_PER_PAGE = 16;

// The area of window 22 as it is laid out now.
EnemyDetailArea EnemyDetailLayout();
