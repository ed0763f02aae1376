#!/usr/bin/env python3
"""Writes the seed inputs of settings_fuzz into corpus/ next to this script.

An input is the three field texts (mass, speed, count), each ended by a
backslash and one more character, followed by the drawing area's width and
height in quarter pixels and the boundary option, packed at the end as
FuzzedDataProvider reads them."""

import os

os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus"))

# Integers go last, each little-endian in as few bytes as its range needs,
# and the first one read is the one at the very end.
def le(v, n): return bytes((v >> (8 * k)) & 0xFF for k in range(n))
def seed(name, t1, t2, t3, w=600, h=400, wrap=1):
    def esc(s): return s.replace(b'\\', b'\\\\') + b'\\n'
    body = esc(t1) + esc(t2) + esc(t3)
    order = [le(int(w * 4), 3), le(int(h * 4), 3), le(wrap, 1)]
    open(name, 'wb').write(body + b''.join(reversed(order)))

seed('defaults', b' 200', b' 1000', b' 50')
seed('empty', b'', b'', b'')
seed('letters', b'abc', b'xyz', b'N')
seed('comma_decimal', b'1,5', b'2,5', b'3,5')
seed('ties_to_even', b'200.5', b'2.5', b'2.5')
seed('bounds', b'5', b'1', b'1')
seed('upper_bounds', b'100000', b'30000', b'500')
seed('over_bounds', b'100001', b'30000.5', b'501')
seed('negative', b'-7', b'-0', b'-3')
seed('exponent', b'1e3', b'1E+4', b'5e2')
seed('huge_exponent', b'1e999999999999', b'1e400', b'9e99999')
seed('tiny_exponent', b'1e-400', b'0.0000000000000000000001', b'4e-1')
seed('inf_nan', b'inf', b'nan', b'-infinity')
seed('hex_and_spaces', b'0x10', b'  \t 7 7', b'1 2')
seed('long_fraction', b'12345.678901234567890123', b'0.1', b'499.4999999999999')
seed('long_digits', b'9' * 400, b'1' * 309, b'0' * 300 + b'7')
seed('int_edges', b'2147483648', b'32768', b'-32769')
seed('utf8', 'масса'.encode(), '١٢٣'.encode(), '５０'.encode())
seed('zero_area', b'200', b'1000', b'500', w=0, h=0)
seed('one_pixel', b'100000', b'30000', b'500', w=1, h=1, wrap=0)
seed('large_area', b'100000', b'30000', b'50', w=65535, h=65535, wrap=1)
seed('fractional_area', b'314', b'250', b'40', w=683.5, h=343.25, wrap=1)
seed('crowded_walls', b'100000', b'30000', b'500', w=640, h=480, wrap=0)
