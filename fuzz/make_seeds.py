#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus (fuzz/corpus/): a few whole calls in the input layout that
fuzz_scenario.h and fuzz_host.h describe, each answer in the order the shader asks for it."""
import math
import pathlib
import struct

NAN = math.nan
INF = math.inf

# Parameter block fields: (offset, struct format).
FIELDS = {
    "traceFront": (0, "<i"), "traceBack": (4, "<i"), "outputSpace": (24, "<i"),
    "startOffset": (28, "<f"), "frontRange": (32, "<f"), "backRange": (36, "<f"),
    "frontCutoff": (40, "<f"), "backCutoff": (44, "<f"), "normalizeDistances": (48, "<i"),
    "clampDistances": (52, "<i"), "useCutoff": (56, "<i"), "useInputPoint": (60, "<i"),
    "inputNormal": (64, "<3f"), "inputPoint": (76, "<3f"),
}


def vec(x, y, z):
    return struct.pack("<3f", x, y, z)


def parameter_block(params):
    block = bytearray(88)
    for name, value in params.items():
        offset, fmt = FIELDS[name]
        block[offset:offset + struct.calcsize(fmt)] = struct.pack(
            fmt, *(value if isinstance(value, tuple) else (value,)))
    return bytes(block)


def header(params, layout=0, connected=(), point=(1, 2, 3), normal=(0, 0, 2), primitive=7):
    block = parameter_block(params)
    if connected == "all":
        words = bytearray([1] * 22)  # the sixteen unread bytes too
    else:
        words = bytearray(22)
        for name in connected:
            words[FIELDS[name][0] // 4] = 1
    return bytes(block) + bytes([layout]) + bytes(words) + vec(*point) + vec(*normal) + bytes(
        [primitive])


def phen(fmt, *value, control=1):
    return bytes([control]) + struct.pack(fmt, *value)


def phen_no_address(control=0):
    return bytes([control])


def phen_running_vantrel(fmt, value, nested_params, nested_answers):
    """A connected parameter whose shader is another vantrel instance with `nested_params`."""
    return phen(fmt, value, control=9) + parameter_block(nested_params) + nested_answers


# The fuzz host's ray-length selectors; any other length is given as a number.
LENGTH = {"0": 0, "-0": 1, "-1": 2, "inf": 3, "-inf": 4, "nan": 5, "denormal": 6, "1e300": 7}


def trace(returns=1, length=2.0, color=(0.5, 0.25, 0.125, 1), point=(1, 2, 9), normal=(0, 3, 4),
          inverted=0, derivatives=((2, 0, 0), (0, 0, 5)), no_child=False, negative_count=None):
    control = {0: 0, 1: 1, 2: 2, -1: 3}[returns] | (4 if no_child else 0)
    out = bytes([control])
    if isinstance(length, str):
        out += bytes([LENGTH[length]])
    else:
        out += bytes([8]) + struct.pack("<d", length)
    out += struct.pack("<4f", *color) + vec(*point) + vec(*normal) + bytes([inverted])
    if derivatives is None:
        out += bytes([0, 5])  # no list, yet a count of 5
    elif negative_count is not None:
        out += bytes([5]) + b"".join(vec(*d) for d in derivatives) + bytes([negative_count])
    else:
        out += bytes([len(derivatives) + 1]) + b"".join(vec(*d) for d in derivatives)
    return out


def transform(kind, value=(0, 0, 0)):
    """kind 0 writes nothing, 1 passes the input on, 2 answers `value`."""
    return bytes([kind]) + (vec(*value) if kind == 2 else b"")


SEEDS = {
    "no_rays": header({}),
    "both_hit_offset_everything_on_world_space": header(
        {"traceFront": 1, "traceBack": 1, "startOffset": 0.5, "useCutoff": 1,
         "normalizeDistances": 1, "clampDistances": 1, "frontCutoff": 10.0, "backCutoff": 10.0,
         "frontRange": 5.0, "backRange": 5.0, "outputSpace": 2})
    + trace(point=(1, 2, 9)) + trace(color=(0, 0, 1, 0.5), point=(1, 2, -1), inverted=1)
    + transform(2, (10, 20, 30)) + transform(1) + transform(2, (0, 0, 7)) + transform(1)
    + transform(1),
    "all_connected_input_point_light_space": header(
        {"useInputPoint": 1, "traceFront": 1, "traceBack": 1, "outputSpace": 5,
         "normalizeDistances": 1}, layout=1, connected="all")
    + phen("<i", 1) + phen("<3f", 0, 2, 1) + phen("<3f", -4, 5, 6)
    + transform(1) + transform(2, (0, 0, 3))
    + phen("<f", -0.25) + phen("<i", 1) + trace(point=(-4, 5, 9))
    + phen("<i", 1) + trace(returns=1, length="0")
    + phen("<i", 1) + phen("<f", 4.0) + phen("<f", 6.0)
    + phen("<i", 1) + phen("<i", 0) + phen("<f", 3.0) + phen("<f", 5.0)
    + phen("<i", 5) + transform(1) + transform(1) + transform(1) + transform(1) + transform(1),
    "misses_and_not_numbers": header(
        {"traceFront": 1, "traceBack": 1, "startOffset": NAN, "useCutoff": 1, "frontCutoff": NAN,
         "backCutoff": -1.0, "clampDistances": 1, "frontRange": -2.0, "backRange": INF,
         "outputSpace": 3}, point=(NAN, 0, INF), normal=(INF, -INF, 0))
    + trace(length="nan") + trace(returns=2, length="-inf", point=(NAN, NAN, NAN))
    + transform(2, (NAN, INF, -INF)) + transform(2, (NAN, 0, 0)) + transform(0) + transform(1)
    + transform(2, (-0.0, 0, 0)),
    "host_oddities": header(
        {"traceFront": 1, "traceBack": 1, "startOffset": 1e30, "useCutoff": 1,
         "frontCutoff": 1e38, "backCutoff": 1e38, "normalizeDistances": 1, "frontRange": 1e-45,
         "backRange": 0.0, "outputSpace": 1},
        layout=2, connected=("traceBack", "useCutoff", "backCutoff", "outputSpace"),
        normal=(0, 0, 0), primitive=0)
    + trace(length="denormal", derivatives=((1, 0, 0),))
    + phen_no_address(control=4)
    + trace(returns=-1, length="1e300", derivatives=None, inverted=9)
    + phen("<i", 1, control=5) + phen_no_address()
    + phen("<i", 1) + transform(0) + transform(2, (NAN, 1, 1)) + transform(2, (3e38, 3e38, 3e38))
    + transform(1) + transform(2, (1e-45, 0, 0)),
    "connected_vantrel_instance": header(
        {"traceFront": 1, "traceBack": 1, "startOffset": 0.5, "outputSpace": 2}, layout=1,
        connected=("traceBack",))
    + trace(point=(1, 2, 9))
    + phen_running_vantrel("<i", 1, {"traceFront": 1, "traceBack": 1, "startOffset": 0.75,
                                     "outputSpace": 3},
                           trace(point=(5, 5, 5)) + trace(returns=0) + transform(1) * 5)
    + trace(color=(0, 1, 0, 1), point=(1, 2, -2))
    + transform(1) * 5,
    "trace_without_child_and_negative_count": header(
        {"traceFront": 1, "traceBack": 1, "outputSpace": 0})
    + trace(no_child=True) + trace(negative_count=3, point=(1, 2, 0)),
}

if __name__ == "__main__":
    corpus = pathlib.Path(__file__).resolve().parent / "corpus"
    corpus.mkdir(exist_ok=True)
    for name, data in SEEDS.items():
        (corpus / name).write_bytes(data)
        print(f"{name}: {len(data)} bytes")
