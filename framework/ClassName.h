#pragma once
// The class name of an object as code that matches classes by name expects
// it: the name of its most derived class without namespaces ("TButton").
#include <string>

#include "framework/Object.h"

std::string ClassNameOf(const TObject& object);
