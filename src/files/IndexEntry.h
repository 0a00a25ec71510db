#pragma once

#include "poles/Entry.h"
#include "poles/PoleStore.h"

// What a file asks to plot, line by line or entry by entry: hexagonal
// indices in the three-index form, as the store keeps them; an entry with
// a family stands for every member of it.
using IndexEntry = Entry;

// As many as the pole store holds.
constexpr int MaxFileEntries = PoleStore::MaxPoles;
