// The section block at the head of a member's report: description,
// properties, grade, net area and local buckling classes.
#include <cmath>
#include <memory>

#include "section/CSA_S16_09Section.h"

namespace Corvid::Steel::SteelCSAS1609 {

CString CCSA_S16_09Section::SectPropString(Corvid::Util::CDesFormat const& format) {
    CString s = L"Section description:\n";
    CString description = GetCorvidSec().Description(false, false, true);
    for (auto& c : description)
        if (c == L'%') c = L' ';
    s += L"\t" + description + L"\n";
    bool const strut = IsStrutAndTieOnly();
    s += L"Section Properties:\n";
    // A value the catalogue tabulates is used as tabulated, and said so.
    auto const& tab = m_section.Tabulated();
    auto mark = [](double tabulated) { return std::isnan(tabulated) ? L"\n" : L" (tabulated)\n"; };
    s += L"\tA    = " + format.AreaCS(Area()) + mark(tab.A);
    s += L"\tIxx  = " + format.LFourth(Ixx()) + mark(tab.Ixx);
    s += L"\tIyy  = " + format.LFourth(Iyy()) + mark(tab.Iyy);
    s += L"\tJ    = " + format.LFourth(J()) + mark(tab.J);
    if (!IsDoublySymmetric()) {
        s += L"\tIuu  = " + format.LFourth(Iuu()) + L"\n";
        s += L"\tIvv  = " + format.LFourth(Ivv()) + L"\n";
        s += L"\tIxy  = " + format.LFourth(Ixy()) + L"\n";
    }
    if (!strut) {
        s += L"\tSxx  = " + format.LCubed(Sxx()) + mark(tab.Sxx);
        s += L"\tSyy  = " + format.LCubed(Syy()) + mark(tab.Syy);
        s += L"\tZxx  = " + format.LCubed(Zxx()) + mark(tab.Zxx);
        s += L"\tZyy  = " + format.LCubed(Zyy()) + mark(tab.Zyy);
    }
    s += L"\txbar = " + format.LengthSmall(Xbar()) + mark(tab.Xbar);
    s += L"\tybar = " + format.LengthSmall(Ybar()) + mark(tab.Ybar);
    s += m_grade.GetString(format, MaxThick());
    s += L"Net to gross area ratio = <b>" + format.NoDim(NetAreaRatio()) + L"</b>\n";
    // The classes are taken on a copy under the stated axial forces; the
    // copy's setters empty its cache, so no class cached under another
    // force can stand in.
    std::unique_ptr<CCSA_S16_09Section> const c(Clone());
    bool const compression = m_reportCompression;
    if (compression || !strut) s += L"Local buckling classification\n";
    if (compression) {
        s += L"\t<i>(in pure compression, or pure bending):</i>\n";
        c->SetPureCompression();
        s += L"\tOverall/Compression: <b>" + GetLBCString(c->BucklingClassOverAll(nullptr)) + L"</b>\n";
    } else if (!strut) {
        s += L"\t<i>(in pure bending):</i>\n";
    }
    if (!strut) {
        c->SetForceAxial(0.0);
        c->ClearVolatileResultCache();
        BucklingClass const kx = c->BucklingClassXX(nullptr);
        BucklingClass const ky = c->BucklingClassYY(nullptr);
        s += L"\tLocal buckling class XX(major) axis: <b>" + GetLBCString(kx) + L"</b>\n";
        s += L"\tLocal buckling class YY(minor) axis: <b>" + GetLBCString(ky) + L"</b>\n";
    }
    if (GetCorvidSec().Dims().slope != 0.0)
        s += L"<orange>Warning:</orange> Sections with tapered flanges not supported.\n"
             L"\tSection properties computed assuming flanges are uniform.\n";
    return s;
}

}  // namespace Corvid::Steel::SteelCSAS1609
