#pragma once
// Item kinds (it_kind): what an item does is fixed by its kind; its name,
// power and price come from item.dat. This is the one place that sorts the
// kinds into the categories the game, the data checker and the generators
// share; what each kind does when used is the table of lists/items.cpp.
#include <cstdint>

namespace z2::kinds {

// Weapons and armour are worn, not used.
inline constexpr int32_t kWeaponFirst = 400;
inline constexpr int32_t kWeaponLast = 449;
inline constexpr int32_t kArmourFirst = 450;
inline constexpr int32_t kArmourLast = 499;

constexpr bool weapon(int32_t kind) { return kind >= kWeaponFirst && kind <= kWeaponLast; }
constexpr bool armour(int32_t kind) { return kind >= kArmourFirst && kind <= kArmourLast; }
constexpr bool equipment(int32_t kind) { return weapon(kind) || armour(kind); }

// The kinds of the goods that are used (equipment aside) run from 0 to 99.
inline constexpr int32_t kLastUsable = 99;

enum Trait : uint8_t {
  kFightOnly = 1,  // only makes sense against an opponent: given back outside a fight
  kLasting = 2,    // a lasting gain: ten of a cheap tier do what one tier ten times as strong does
  kAmount = 4,     // it_pow is an amount (more is stronger), not a selector
  kKept = 8,       // does nothing when used: kept for itself (keys, keepsakes, the seven pieces)
};

struct KindTraits {
  int32_t kind;
  uint8_t traits;
};

inline constexpr KindTraits kTraits[] = {
    {0, kAmount},      {1, kAmount},       {3, kLasting},      {4, kLasting},      {5, kKept},
    {6, kLasting},     {7, kLasting},      {8, kLasting},      {9, kLasting},      {10, kLasting},
    {11, kLasting},    {12, kLasting},     {13, kLasting},     {14, kKept},        {15, kLasting},
    {16, kKept},       {17, kKept},        {18, kKept},        {19, kLasting},     {20, kLasting},
    {22, kAmount},     {24, kAmount},      {25, kLasting},     {27, kFightOnly},   {28, kFightOnly},
    {32, kFightOnly},  {33, kFightOnly},   {34, kFightOnly},   {35, kFightOnly},   {36, kFightOnly},
    {39, kAmount},     {40, kKept},        {41, kKept},        {42, kKept},        {43, kKept},
    {44, kKept},       {45, kKept},        {46, kKept},        {47, kKept},        {48, kKept},
    {49, kKept},       {50, kFightOnly | kAmount},             {51, kFightOnly | kAmount},
    {52, kKept},       {53, kFightOnly},   {54, kFightOnly | kAmount},             {55, kFightOnly | kAmount},
    {56, kFightOnly | kAmount},            {58, kFightOnly | kAmount},             {63, kLasting},
    {64, kFightOnly},  {65, kFightOnly},   {66, kFightOnly},   {69, kFightOnly},   {72, kFightOnly},
    {73, kLasting},    {74, kKept},        {75, kKept},        {76, kKept},        {77, kKept},
    {79, kLasting},    {80, kLasting},     {81, kKept},        {82, kKept},        {83, kKept},
    {84, kKept},       {85, kKept},        {86, kKept},        {87, kKept},        {88, kKept},
    {89, kLasting},    {90, kKept},        {91, kAmount},      {92, kKept},        {93, kKept},
    {94, kFightOnly},  {95, kFightOnly},   {96, kKept},
};

constexpr uint8_t traits(int32_t kind) {
  for (const KindTraits& t : kTraits)
    if (t.kind == kind) return t.traits;
  return 0;
}

constexpr bool fight_only(int32_t kind) { return (traits(kind) & kFightOnly) != 0; }
constexpr bool lasting_gain(int32_t kind) { return (traits(kind) & kLasting) != 0; }

// Goods bought to be used; the rest are bought to be had, each for itself.
constexpr bool used_for_its_effect(int32_t kind) {
  if (equipment(kind)) return true;
  if (kind < 0 || kind > kLastUsable) return false;
  return (traits(kind) & kKept) == 0;
}

// Kinds whose it_pow is an amount. For the others the power is a selector or
// unused, and only the same power is the same effect.
constexpr bool amount_kind(int32_t kind) {
  return equipment(kind) || (traits(kind) & (kLasting | kAmount)) != 0;
}

}  // namespace z2::kinds
