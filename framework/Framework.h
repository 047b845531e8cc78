#pragma once
// Everything of the framework's portable part.
#include "framework/Types.h"
#include "framework/WinNames.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Exceptions.h"
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/Time.h"
#include "framework/File.h"
#include "framework/FileFind.h"
#include "framework/Archive.h"
