#pragma once
// Where flights end up in the schedule table: the exchange sort of the
// compile and the placing of timetable flights among the added flights, both
// computed fast with exactly the orders of the quadratic procedures.

#include "timetable/ExchangeSortOrder.h"
#include "timetable/MergeOrder.h"
