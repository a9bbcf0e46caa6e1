#pragma once
// The library's own version history, one "$KEY=value" string per identifier from 10000 on.

#include <string>

// The entry with identifier aId, empty outside the table. A tQN_StringSource.
std::string LoadVersionHistoryString(int aId);
