#pragma once
#include "fakes/Fakes.h"  // all fakes live there
