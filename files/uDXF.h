// TDXFOut: a minimal drawing exchange file (header limits, one layer, POINT and TEXT entities)
// built in memory as group-code / value lines and written in one step.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TDXFOut {
  public:
    std::vector<std::string> Lines;
    long double LimMinX, LimMaxX, LimMinY, LimMaxY;
    long double TextHeight;
    uint8_t Decimals;
    std::string LayerName;

    TDXFOut(uint8_t decimals, long double limMinX, long double limMinY, long double limMaxX,
            long double limMaxY, long double textHeight);

    void WriteHeader();
    std::string FormatValue(long double x) const;
    void WriteLayer();
    void WriteCoords(long double x, long double y, long double z);
    void WriteString(const std::string &s);
    void AddPoint(long double x, long double y, long double z);
    void AddText(const std::string &label, long double x, long double y, long double z, long double height,
                 long double rotation);
    void WriteFooter();
    // Replaces the file only when completely written (temporary file + rename). False on any error.
    bool SaveToFile(const std::string &archivo) const;
};
