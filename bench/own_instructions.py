#!/usr/bin/env python3
"""Instructions that one object (the plug-in) executed itself, from a callgrind profile.

    own_instructions.py PROFILE OBJECT CALLS [--functions]

Sums the self cost (event Ir) of every function whose object file name ends in OBJECT: the
instructions of the host functions, the loader and the driver are not counted, nor are the
inclusive costs of the calls the plug-in makes. Prints the count per call; with --functions also
the count per function, most first.
"""
import sys
from collections import defaultdict


def own_costs(path, object_suffix):
    names = {"ob": {}, "fn": {}}
    current_object = ""
    current_function = ""
    skip_next_cost = False  # the line after calls= is the inclusive cost of that call
    costs = defaultdict(int)
    with open(path) as profile:
        for line in profile:
            line = line.rstrip("\n")
            if not line:
                continue
            head = line[0]
            if head.isdigit() or head in "+-*":
                if skip_next_cost:
                    skip_next_cost = False
                    continue
                if current_object.endswith(object_suffix):
                    fields = line.split()
                    if len(fields) >= 2:
                        costs[current_function] += int(fields[1])
                continue
            key, _, value = line.partition("=")
            if key in ("ob", "fn"):
                resolved = resolve(names[key], value)
                if key == "ob":
                    current_object = resolved
                else:
                    current_function = resolved
            elif key in ("cob", "cfn", "cfi", "cfl"):
                if key in ("cob", "cfn"):
                    resolve(names[key[1:]], value)  # defines a compressed name for later use
            elif key == "calls":
                skip_next_cost = True
    return costs


def resolve(table, value):
    # Compressed names: "(id) name" defines, "(id)" refers back.
    if value.startswith("("):
        ident, _, name = value.partition(")")
        name = name.strip()
        if name:
            table[ident] = name
            return name
        return table.get(ident, "")
    return value


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(args) != 3:
        sys.exit(__doc__)
    path, object_suffix, calls = args[0], args[1], int(args[2])
    costs = own_costs(path, object_suffix)
    total = sum(costs.values())
    print(f"{total / calls:.1f}")
    if "--functions" in sys.argv:
        for name, cost in sorted(costs.items(), key=lambda item: -item[1]):
            print(f"  {cost / calls:8.1f}  {name}")


if __name__ == "__main__":
    main()
