#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets (tests/fuzz/corpus/<target>/).

fuzz_section seeds are description texts. fuzz_member_check seeds are byte
strings in the layout fuzz_member_check.cpp reads front to back (missing
bytes read as zero):

  head     u8   bits 0-2 shape (0 I, 1 C, 2 T, 3 L, 4 RHS, 5 CHS, 6 PL,
                7 raw text), bits 3-4 fabrication (rolled, welded,
                cold-formed, built-up), bit 5 design option set after the
                section, bit 6 design option, bit 7 raw point/sub-span layout
  section  u8 raw-dimension switch (0 mod 8: raw), then the dimensions
           (numbers and fractions, see Reader::Num / Reader::Frac), then for
           I, C, T a slope switch (0 mod 4: a slope follows), for RHS a
           tf/tw switch
  grade    u8   bit 7 none; else mod 8: 0-5 named, 6 user Fy/Fu, 7 empty
  points   u8 count mod 10, start Num, then per point: step Num (not for
           the first), restraint Bits, load position u8, load height Num
  subspans per sub-span: 12 Actions (forces left, forces right, moments
           left, moments right), u8 (bit 0 continuous restraint Bits
           follow, bit 1/2 transverse load major/minor, bit 3 destabilized)
  options  u8   bit 0 override, bit 1 lengths follow (u8 + Num each of Lyy,
                Lzz, Llt), bit 2 omega2 Num follows
  checks   u8 count mod 6 + 1, then per check u8 mod 6: 0 Check text on,
           1 Check text off, 2 QuickCheck, 3 clone Check (u8 text bit),
           4 toggle quick-check mode, 5 effective lengths
Run from anywhere: python3 tests/fuzz/make_seeds.py

Inputs found by fuzzing that broke an invariant are kept beside these as
found (minimised): fuzz_member_check/tee_stem_of_no_area and
i_plates_of_no_thickness (rounding made a shear utilisation negative), and
i_plates_of_negative_area (rounding made A, and Tr, negative).
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def raw(v):
    return bytes([3]) + struct.pack('<d', v)  # Num/Frac tag 3: the double itself


def zero_num():
    return bytes([0, 0, 0])  # Num tag 0 with u16 0: the low end of the range


def named(index):
    return bytes([0, index])  # Bits tag 0: named combination


def member(head, dims, slope_switch, grade, positions, bits, actions, opts=b'\x00',
           checks=(0, 1, 2, 3, 1, 5)):
    out = bytes([head, 1])  # 1: realistic (fractional) dimensions
    for d in dims:
        out += d if isinstance(d, bytes) else raw(d)  # bytes: a switch between the dimensions
    out += slope_switch
    out += bytes([grade])
    out += bytes([len(positions)]) + raw(positions[0])
    for i, p in enumerate(positions):
        if i > 0:
            out += raw(p - positions[i - 1])
        out += named(bits[i]) + bytes([0]) + zero_num()
    for a in actions:
        for v in a:
            out += bytes([2]) + struct.pack('<d', v)  # Action tag 2: the double itself
        out += bytes([0])
    out += opts
    out += bytes([len(checks) - 1])
    for c in checks:
        out += bytes([c]) + (b'\x01' if c == 3 else b'')
    return out


def span_actions(n_sub, N, M):
    """Two sub-spans over 6 m: axial N, major moment 0 -> M -> 0."""
    V = M / 3.0
    return [[N, V, 0, N, V, 0, 0, 0, 0, 0, M, 0],
            [N, -V, 0, N, -V, 0, 0, M, 0, 0, 0, 0]][:n_sub]


def main():
    sec = os.path.join(HERE, 'corpus', 'fuzz_section')
    mem = os.path.join(HERE, 'corpus', 'fuzz_member_check')
    os.makedirs(sec, exist_ok=True)
    os.makedirs(mem, exist_ok=True)
    # The sections of tests/test_member.cpp (the golden reports) and the README.
    texts = {
        'i': 'I D=303 B=203 T=13.1 Tw=7.5 R=15',
        'i_unequal': 'I D=400 B1=200 T1=12 B2=300 T2=20 Tw=8 R=10 fab=welded',
        'channel_sloped': 'C D=254 B=69.6 T=11.1 Tw=9.63 R=10 slope=16.6667',
        'tee': 'T D=152 B=203 T=13.1 Tw=7.5 R=15',
        'angle': 'L D=102 B=76 t=9.5 R=8',
        'rhs': 'RHS D=203 B=102 tf=6.4 tw=8 Ro=12.8',
        'chs': 'CHS D=168.3 t=6.4',
        'catalogue': 'W310x60 fab=rolled',
        'plate': 'PL B=200 t=10',
    }
    for name, text in texts.items():
        with open(os.path.join(sec, name), 'w') as f:
            f.write(text)
    pts = [0.0, 3.0, 6.0]
    # named() indices: 1 pinned, 2 braced, 9 strut (translations + flange
    # connection), 10 pinned with end connection.
    seeds = {
        'i_beam_column': member(0, [303, 203, 13.1 / 151.5, 7.5 / 203, 15 / 97.75], b'\x01', 2, pts,
                                [10, 2, 10], span_actions(2, -300e3, 120e3)),
        'channel': member(1, [254, 69.6, 11.1 / 127, 9.63 / 69.6, 10 / 59.97], b'\x01', 1, pts,
                          [10, 2, 10], span_actions(2, -80e3, 15e3)),
        'tee_strut': member(2, [152, 203, 13.1 / 152, 7.5 / 203, 15 / 97.75], b'\x01', 2, pts,
                            [9, 9, 9], span_actions(2, -50e3, 0.0)),
        'rhs_override': member(4, [203, 102, 6.4 / 51, b'\x01', 12.8 / 51], b'', 2, pts, [1, 2, 1],
                               span_actions(2, -150e3, 25e3),
                               opts=bytes([3, 1]) + raw(4.0) + bytes([1]) + raw(-0.5) + bytes([1]) + raw(6.0)),
        'chs_quick_first': member(5, [168.3, 6.4 / 84.15], b'', 2, pts, [1, 2, 1],
                                  span_actions(2, -250e3, 20e3), checks=(2, 0, 4, 1, 2)),
        'angle_strut': member(3, [102, 76, 9.5 / 76, 8 / 66.5], b'', 1, pts, [1, 2, 1],
                              span_actions(2, -60e3, 0.0)),
    }
    for name, data in seeds.items():
        with open(os.path.join(mem, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
