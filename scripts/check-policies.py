#!/usr/bin/env python3
"""Checks the policy templates in installer/policies against the settings' table the program reads.

Usage: check-policies.py <setting_table program of the native tree>

The ADMX must name exactly the values the table lets a policy set (both ways), under Tidewell's
policy key, for the machine, each with the table's type and bounds: a flag as a policy of two
values among 0 and 1, a number as a decimal element with the same least and greatest value (or an
enum of every whole number between them), a text as an enum of the shipped languages, a list as
a multiText element; a decimal box offers the table's default. Each ADML (en-US, zh-CN) must be
well-formed and hold every string and presentation the ADMX names, each presentation only the
elements of its policy; a policy's explanation quotes the words its window names the setting by,
as that language's texts file has them. Plants faults in copies first and fails if any is missed.
"""
import copy
import pathlib
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
POLICIES = ROOT / "installer" / "policies"
NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
KEY = "Software\\Policies\\Kelvane\\Tidewell"
ADML_TEXTS = {"en-US": ROOT / "dist" / "Kelvane.ini", "zh-CN": ROOT / "dist" / "lang" / "zh-CN" / "Kelvane.ini"}
ENGLISH = "en"  # the value of English, which has no folder under lang


def table(program):
    rows = {}
    for line in subprocess.run([program], check=True, capture_output=True, text=True).stdout.splitlines():
        name, kind, low, high, default, policy, text_key = line.split("\t")
        if policy == "1":
            rows[name] = {"type": kind, "low": int(low), "high": int(high), "default": int(default),
                          "text": text_key}
    return rows


def ini_texts(path):
    texts = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        key, sep, value = line.partition("=")
        if sep and not line.startswith(("[", ";")):
            texts.setdefault(key, value)
    return texts


def spoken(text):
    """A control's text as a sentence quotes it: no keyboard mark, no closing colon."""
    text = re.sub(r"\(&.\)", "", text).replace("&", "")
    return text.strip().rstrip(":：").strip()


def refs(text, kind):
    found = re.fullmatch(r"\$\(%s\.([^)]+)\)" % kind, text or "")
    return found.group(1) if found else None


def check(admx, admls, rows, languages):
    faults = []
    seen = {}
    strings_named, presentations = set(), {}
    for element in admx.iter():
        for attribute in ("displayName", "explainText"):
            if refs(element.get(attribute), "string"):
                strings_named.add(refs(element.get(attribute), "string"))
    for policy in admx.iterfind(".//p:policies/p:policy", NS):
        name = policy.get("name")
        if policy.get("class") != "Machine" or policy.get("key") != KEY:
            faults.append(f"{name}: not a machine policy under {KEY}")
        elements = policy.find("p:elements", NS)
        found = []  # (value name, type, details)
        if policy.get("valueName"):
            values = sorted(int(v.get("value")) for v in policy.iterfind("p:enabledValue/p:decimal", NS)) + \
                     sorted(int(v.get("value")) for v in policy.iterfind("p:disabledValue/p:decimal", NS))
            found.append((policy.get("valueName"), "flag", {"values": values}))
        for element in [] if elements is None else list(elements):
            tag = element.tag.split("}")[1]
            details = {"id": element.get("id")}
            if tag == "decimal":
                details.update(low=int(element.get("minValue", 0)), high=int(element.get("maxValue", 9999)))
                found.append((element.get("valueName"), "number", details))
            elif tag == "multiText":
                found.append((element.get("valueName"), "list", details))
            elif tag == "enum":
                numbers = [int(d.get("value")) for d in element.iterfind("p:item/p:value/p:decimal", NS)]
                texts = [s.text or "" for s in element.iterfind("p:item/p:value/p:string", NS)]
                details["values"] = numbers or texts
                found.append((element.get("valueName"), "number" if numbers else "text", details))
            else:
                found.append((element.get("valueName"), tag, details))
        if presentation := refs(policy.get("presentation"), "presentation"):
            presentations[presentation] = {d["id"] for _, _, d in found if "id" in d}
        for value, kind, details in found:
            if value in seen:
                faults.append(f"{value}: set by two policies")
            seen[value] = (name, kind, details)
    for value in sorted(set(rows) - set(seen)):
        faults.append(f"{value}: the program reads it, no policy sets it")
    for value in sorted(set(seen) - set(rows)):
        faults.append(f"{value}: a policy sets it, the program does not read it")
    for value in sorted(set(rows) & set(seen)):
        row, (name, kind, details) = rows[value], seen[value]
        if kind != row["type"]:
            faults.append(f"{value}: {kind} in the ADMX, {row['type']} in the program")
        elif kind == "flag" and (len(set(details["values"])) != 2 or
                                 not set(details["values"]) <= {row["low"], row["high"]}):
            faults.append(f"{value}: a flag's values are {details['values']}")
        elif kind == "number" and "values" in details and \
                sorted(details["values"]) != list(range(row["low"], row["high"] + 1)):
            faults.append(f"{value}: its items are {details['values']}, the program takes {row['low']} to {row['high']}")
        elif kind == "number" and "low" in details and (details["low"], details["high"]) != (row["low"], row["high"]):
            faults.append(f"{value}: {details['low']} to {details['high']} in the ADMX, "
                          f"{row['low']} to {row['high']} in the program")
        elif kind == "text" and sorted(details["values"]) != sorted(languages):
            faults.append(f"{value}: offers {sorted(details['values'])}, Tidewell speaks {sorted(languages)}")
    for language, adml in admls.items():
        strings = {s.get("id"): s.text or "" for s in adml.iterfind(".//p:stringTable/p:string", NS)}
        for missing in sorted(strings_named - set(strings)):
            faults.append(f"{language}: no string {missing}")
        shown = {p.get("id"): p for p in adml.iterfind(".//p:presentationTable/p:presentation", NS)}
        for presentation, ids in presentations.items():
            if presentation not in shown:
                faults.append(f"{language}: no presentation {presentation}")
                continue
            for box in shown[presentation]:
                if box.get("refId") not in ids:
                    faults.append(f"{language}: {presentation} shows {box.get('refId')}, not an element of its policy")
                value = seen.get(box.get("refId"), (None, None, {}))
                if box.get("defaultValue") is not None and value[0] and \
                        int(box.get("defaultValue")) != rows.get(box.get("refId"), {}).get("default"):
                    faults.append(f"{language}: {presentation} offers {box.get('defaultValue')}, not the program's default")
        texts = ini_texts(ADML_TEXTS[language])
        for value, row in rows.items():
            if not row["text"] or value not in seen:
                continue
            words = spoken(texts.get(row["text"], ""))
            explain = strings.get(refs(admx.find(f".//p:policy[@name='{seen[value][0]}']", NS).get("explainText"),
                                       "string"), "")
            if not words or words not in explain:
                faults.append(f"{language}: {seen[value][0]}'s explanation does not quote \"{words}\"")
    return faults


def main():
    rows = table(sys.argv[1])
    languages = [ENGLISH] + sorted(p.name for p in (ROOT / "dist" / "lang").iterdir() if p.is_dir())
    try:
        admx = ET.parse(POLICIES / "Tidewell.admx").getroot()
        admls = {language: ET.parse(POLICIES / language / "Tidewell.adml").getroot() for language in ADML_TEXTS}
    except ET.ParseError as error:
        sys.exit(f"check-policies: not well-formed: {error}")

    # Each fault planted in a copy must be found, or the check would miss it in the real files.
    def planted(change):
        admx_copy, admls_copy = copy.deepcopy(admx), copy.deepcopy(admls)
        change(admx_copy, admls_copy)
        return check(admx_copy, admls_copy, rows, languages)
    first = lambda tree, path: tree.find(path, NS)
    plants = {
        "a value renamed": lambda x, l: first(x, ".//p:policy[@valueName='SoundAlert']").set("valueName", "SoundAlerts"),
        "a bound moved": lambda x, l: first(x, ".//p:decimal[@id='RamAlertValue']").set("maxValue", "80"),
        "a policy gone": lambda x, l: first(x, ".//p:policies").remove(first(x, ".//p:policy[@name='NoEventLog']")),
        "a list as text": lambda x, l: setattr(first(x, ".//p:multiText[@id='PausePrograms']"), "tag",
                                               "{%s}text" % NS["p"]),
        "a string missing": lambda x, l: first(l["zh-CN"], ".//p:stringTable").remove(
            first(l["zh-CN"], ".//p:string[@id='AutoDefrag_Help']")),
        "another default": lambda x, l: first(l["en-US"], ".//p:decimalTextBox[@refId='SliderPos']").set(
            "defaultValue", "4"),
        "a language missing": lambda x, l: first(x, ".//p:enum[@id='Language']").remove(
            first(x, ".//p:enum[@id='Language']/p:item")),
    }
    missed = [name for name, change in plants.items() if not planted(change)]
    if missed:
        sys.exit(f"check-policies: the check misses {', '.join(missed)}")
    faults = check(admx, admls, rows, languages)
    for fault in faults:
        print(f"check-policies: {fault}", file=sys.stderr)
    if faults:
        sys.exit(1)
    print(f"check-policies: {len(rows)} policies, {len(admls)} languages")


if __name__ == "__main__":
    main()
