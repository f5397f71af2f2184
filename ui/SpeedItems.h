#pragma once
// The speed menu's items and the speed each stands for.

#include <QString>
#include <array>

struct SpeedItem {
    const char* name;
    double speed;
};

inline constexpr std::array<SpeedItem, 10> kSpeedItems{{
    {"menu_speed_25", 0.25},
    {"menu_speed_50", 0.5},
    {"menu_speed_100", 1.0},
    {"menu_speed_125", 1.25},
    {"menu_speed_150", 1.5},
    {"menu_speed_175", 1.75},
    {"menu_speed_200", 2.0},
    {"menu_speed_250", 2.5},
    {"menu_speed_300", 3.0},
    {"menu_speed_400", 4.0},
}};
