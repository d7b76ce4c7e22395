#pragma once
// The records of one route-set file as CSV, for reading and for following
// the positions that lead from one file into another.
//
// Every file gives a header row of field names, then one row per record.
// Conventions:
//   - Record counts records from 0 (as OriginIndex and DestIndex count
//     airports); Position is the record's 1-based byte position in its file,
//     the value other records store to point at it. Plans count from 1 (as
//     PlanPointer does), and so do the entries of a plan.
//   - Texts lose the blanks (or zero bytes) that pad them on the right, so a
//     field that was never assigned is empty; leading blanks are kept. They
//     are converted from Windows-1252 to UTF-8; any other zero byte, and the
//     bytes the code page leaves undefined, become U+FFFD.
//   - A field is quoted when it holds a comma, a quote, a line break, or
//     begins or ends with a blank; a quote inside is doubled.
//   - Integers are in decimal; floats in the shortest form that reads back
//     as the same value ("nan" and "inf" as such).
//   - Rows end with a line feed.
//
// The files and their columns:
//   index.kr1    Record,Position,IATA,ICAO,AirportName,City,DeparturePos,
//                DepartureCount,Altitude,Latitude,Longitude,ArrivalsPos,
//                ArrivalsCount,RunwayCount,AptPos
//   routes.kr1   Record,Position,Origin,DepartTime,Destination,ArriveTime,
//                Miles,DayMask,Airline,FlightNumber,Equipment,CodeLetter,
//                MaskBits,Reserved,OriginIndex,DestIndex,PlanPointer
//   airline.kr1  Record,Position,Code,Name,Extra
//   arrivals.kr1 Record,Position,RoutePosition
//   APT.kr1      Position,Airport,IATA,Kind,RunwayIdent,RunwayData1,
//                RunwayData2,Heading,NetHeading,IlsText,IlsValue,
//                Value1,...,Value7
//                (Airport is the index record the data belongs to, Kind
//                "runway" or "values"; the other kind's columns are empty.
//                Which records are which follows from index.kr1's
//                RunwayCount, airport by airport in index order.)
//   PLANS.kr1    Plan,BlockPosition,EntryCount,Entry,Position,PointType,
//                PointRef,AirwayName
//                (one row per plan entry; a plan of no entry gives one row
//                with the last five columns empty)

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "common/BinaryIO.h"

namespace tarnwell {

// The files DumpRouteSetFile knows, as the compile names them.
std::span<const std::string_view> DumpableRouteSetFiles();

// A stored text as the dump (and the check's messages) show it: see above.
std::string ShownText(std::string_view stored);

// The largest a route-set file (one of DumpableRouteSetFiles) can be, from its
// record lengths and the tables' capacities; the dump and the check read no
// more.
FileLimit RouteSetFileLimit(std::string_view fileName);

// Writes the records of `fileName` (one of DumpableRouteSetFiles, in any
// letter case) of Data/<setName> to `out`. Throws TarnwellError, writing
// nothing, for a set name the compile refuses (ErrorKind::Usage), an unknown
// file name, a missing or unreadable file, and a damaged one: a length that
// is not a whole number of records, an APT.kr1 of another length than
// index.kr1's runway counts call for, or a plan block or position table of
// PLANS.kr1 that does not lie inside the file.
void DumpRouteSetFile(const std::filesystem::path& programFolder, const std::string& setName,
                      const std::string& fileName, std::ostream& out);

}  // namespace tarnwell
