#pragma once
// Loads along a sub-span and the diagram of actions they make (statics of
// the free body), in SI units (m, N, N.m).
//
// Sign conventions (x from the sub-span's left end):
//   in the plane of the web  dVy/dx = +w, dMx/dx = Vy (w positive towards
//                            the bottom flange: gravity on a beam drawn top
//                            flange up; a point load P makes a jump of +P);
//   across the web           dVx/dx = +w, dMy/dx = Vx, likewise;
//   axial                    dN/dx = -n (N tension positive; n positive
//                            along the member towards increasing x);
//   torsion                  dT/dx = -t.
#include <string>
#include <vector>

#include "framework/DesignConstants.h"

namespace s16app {

struct Actions;
class Field;

struct LoadInput {
    enum Kind { Distributed, Point };
    enum Plane { Web, Across, Axial, Torsion };
    Kind kind = Distributed;
    Plane plane = Web;
    double from = 0.0, to = 0.0;  // m from the sub-span's left end (distributed)
    double w1 = 0.0, w2 = 0.0;    // N/m at from and to (torsion: N.m/m)
    double at = 0.0, P = 0.0;     // m from the left end; N (torsion: N.m)
};

// Scale factors of a member file's units to SI.
struct UnitScale {
    double length = 1.0;                  // m
    double force = Corvid::Design::kKN;   // N
    double moment = Corvid::Design::kKN;  // N.m
};

// Reads "loads" of a sub-span of the given length (m): a list of
// {"type": "uniform" | "linear" | "point", "plane": "web" | "across" |
// "axial" | "torsion", "w" | "w1", "w2", "from", "to" | "P", "at"}.
// Refuses a load outside the sub-span, from >= to, and a point load at an
// end (it belongs to the point: the jump of shear between two sub-spans).
std::vector<LoadInput> ReadLoads(Field const& field, UnitScale const& units, double length);

// The actions along a piece of a sub-span: from its left-end actions and its
// loads, or (Between) straight lines between two given ends where no load
// explains them.
class Diagram {
public:
    Diagram(Actions const& left, std::vector<LoadInput> loads, double length);
    // N and T straight between the ends; Vy, Mx (Vx, My) from `loads` when
    // one acts in the plane of the web (across it), else straight.
    static Diagram Between(Actions const& left, Actions const& right, std::vector<LoadInput> loads, double length);

    double Length() const { return m_length; }
    // Which side of x a point load at x is: JustRight takes it into the
    // shears (the value just right of x), JustLeft does not.
    enum class Side { JustLeft, JustRight };
    // The actions at x (0 <= x <= length), just left or just right of it.
    Actions At(double x, Side side) const;
    // Where the moment may peak inside (0, length): point loads and zeros of
    // Vy or Vx (none for a linear diagram).
    std::vector<double> Peaks() const;
    bool LoadedIn(LoadInput::Plane plane) const;
    std::vector<LoadInput> const& Loads() const { return m_loads; }

private:
    std::vector<double> ShearZeros(bool across) const;

    std::vector<LoadInput> m_loads;
    double m_length = 0.0;
    double m_left[6] = {};    // N, Vx, Vy, T, Mx, My at x = 0
    double m_right[6] = {};   // where straight
    bool m_straight[6] = {};  // the component varies linearly between the ends
};

// The largest magnitude of each action (N, Vx, Vy, T, Mx, My) over the
// diagram's ends, point loads and shear zeros.
void LargestActions(Diagram const& d, double out[6]);
// Tolerance on a disagreement of an action: 0.1 % of its largest magnitude
// along the sub-span, at least 1 N (N.m).
double ActionTolerance(double largest);

// An action of Actions by index: 0 N, 1 Vx, 2 Vy, 3 T, 4 Mx, 5 My.
double& Component(Actions& a, int i);
double Component(Actions const& a, int i);

}  // namespace s16app
