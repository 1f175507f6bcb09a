#pragma once

#include "config/filedialogs.h"
