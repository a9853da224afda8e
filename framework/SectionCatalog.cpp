#include "SectionCatalog.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace Corvid::Data::detail {

namespace {

struct Row {
    CSecGeom::SecShape shape = CSecGeom::None;
    CSectionDims dims;
    std::string name;
};

using Catalog = std::map<std::string, Row>;  // key: lower-case designation

std::string Lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> SplitLine(std::string const& line) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : line) {
        if (c == ',') {
            out.push_back(cur);
            cur.clear();
        } else if (c != '\r' && c != '"') {
            cur.push_back(c);
        }
    }
    out.push_back(cur);
    return out;
}

// Reads one CSV file. make(row) turns the named columns (mm) into a Row.
template <class Make>
void ReadFile(std::string const& path, Catalog& catalog, Make make) {
    std::ifstream in(path);
    if (!in) return;  // a missing file simply contributes nothing
    std::string line;
    if (!std::getline(in, line)) return;
    auto const header = SplitLine(line);
    std::map<std::string, std::size_t> col;
    for (std::size_t i = 0; i < header.size(); ++i) col[header[i]] = i;
    while (std::getline(in, line)) {
        auto const cells = SplitLine(line);
        if (cells.empty() || cells[0].empty()) continue;
        auto get = [&](char const* name) {
            auto it = col.find(name);
            if (it == col.end() || it->second >= cells.size() || cells[it->second].empty())
                return std::nan("");
            try {
                return std::stod(cells[it->second]) * 1e-3;  // mm -> m
            } catch (std::exception const&) {
                return std::nan("");
            }
        };
        auto text = [&](char const* name) -> std::string {
            auto it = col.find(name);
            if (it == col.end() || it->second >= cells.size()) return {};
            return cells[it->second];
        };
        Row row;
        row.name = cells[0];
        if (make(row, get, text)) catalog[Lower(row.name)] = row;
    }
}

std::unique_ptr<Catalog> Load(std::string const& dir) {
    auto cat = std::make_unique<Catalog>();
    auto const base = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    // Rolled I shapes: the root radius is kdes - tf.
    ReadFile(base + "i_shapes.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::I;
        auto& d = r.dims;
        d.D = get("d");
        d.B1 = d.B2 = get("bf");
        d.T1 = d.T2 = get("tf");
        d.Tw = get("tw");
        d.R = get("k_des_or_r") - d.T1;
        return true;
    });
    ReadFile(base + "channels.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::Channel;
        auto& d = r.dims;
        d.D = get("d");
        d.B1 = d.B2 = get("bf");
        d.T1 = d.T2 = get("tf");
        d.Tw = get("tw");
        d.R = get("kdes") - d.T1;
        return true;
    });
    ReadFile(base + "tees.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::Tee;
        auto& d = r.dims;
        d.D = get("d");
        d.B = d.B1 = d.B2 = get("bf");
        d.T1 = d.T2 = get("tf");
        d.Tw = get("tw");
        d.R = get("kdes") - d.T1;
        return true;
    });
    // Angles: column d is the shorter leg and b the longer; the longer leg
    // stands vertical (our D), the shorter lies along x (our B).
    ReadFile(base + "angles.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::Angle;
        auto& d = r.dims;
        d.D = get("b");
        d.B = get("d");
        d.t = get("t");
        d.R = get("kdes") - d.t;
        return true;
    });
    // Rectangular HSS: design thickness tdes, outside corner radius 2 tdes.
    ReadFile(base + "hss_rect.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::RHS;
        auto& d = r.dims;
        d.D = get("Ht");
        d.B = get("B");
        d.t = d.tf = d.tw = get("tdes");
        d.Ro = 2.0 * d.t;
        d.fab = FabRolled;
        return true;
    });
    ReadFile(base + "hss_round.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::CHS;
        auto& d = r.dims;
        d.D = get("OD");
        d.t = get("tdes");
        return true;
    });
    return cat;
}

Catalog const& CatalogFor(std::string const& dir) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<Catalog>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto& slot = cache[dir];
    if (!slot) slot = Load(dir);
    return *slot;
}

bool FiniteDims(CSectionDims const& d) {
    for (double v : {d.D, d.B, d.B1, d.T1, d.B2, d.T2, d.Tw, d.R, d.t, d.tf, d.tw, d.Ro})
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

void LookUpCatalog(std::wstring const& designation, std::string const& dir, CSecGeom::SecShape& shape,
                   CSectionDims& dims, std::wstring& name) {
    std::string const key = Lower(Narrow(designation));
    if (dir.empty())
        throw std::invalid_argument("section \"" + Narrow(designation) +
                                    "\" is not a parametric description and no section catalogue is set (give a "
                                    "catalogue folder, or set S16_SECTION_CATALOG)");
    auto const& cat = CatalogFor(dir);
    if (cat.empty())
        throw std::invalid_argument("section catalogue \"" + dir + "\" holds no readable section tables");
    auto it = cat.find(key);
    if (it == cat.end())
        throw std::invalid_argument("unknown section \"" + Narrow(designation) + "\": not in the catalogue \"" + dir +
                                    "\"");
    Row const& row = it->second;
    if (!FiniteDims(row.dims))
        throw std::invalid_argument("section \"" + row.name + "\": the catalogue row lacks a dimension");
    shape = row.shape;
    dims = row.dims;
    name = Widen(row.name);
}

}  // namespace Corvid::Data::detail
