// The UI text table: the built-in English one or a localization file, 161 lines or more.
#pragma once

#include <cstdint>
#include <span>

#include "core/app_state.h"

constexpr int kUiTextResourceId = 159;
constexpr int kUiTextMaxLine = 65;

// Reads a table into lines; true when it has every entry.
bool ReadUiTextTable(std::span<const std::uint8_t> bytes, StringList& lines);

// Keeps the entries from 56 on as the runtime text list (tag 0) and clears `lines`.
void KeepRuntimeUiText(AppState& state, StringList& lines);

// The built-in English table as the runtime text list; false when it cannot be read.
bool LoadBuiltinRuntimeUiText(AppState& state);
