#!/usr/bin/env bash
# The winget manifest beside the setup program: the three files of its schema hold the
# fields winget requires, and name the setup program beside them, its version (as the
# setup's version resource gives it) and its SHA256.
#
# Usage: winget.sh <dist folder> <version>
set -euo pipefail
dist=$1
version=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

setup=$dist/Embra-$version-setup.exe
[ -s "$setup" ] || fail "no setup program $setup"
setup_version=$(strings -el "$setup" | grep -A1 -x ProductVersion | sed -n 2p)
[ "$setup_version" = "$version" ] || fail "the setup's version resource says '$setup_version'"
hash=$(sha256sum "$setup" | cut -d' ' -f1 | tr a-f A-F)

# The value of a field of manifest $1 (a key at any depth, or a list item's first key).
field() {
    sed -n "s/^[ -]*$2: *//p" "$dist/winget/$1.yaml" | head -n1
}

version_file=Lumavist.Embra
locale_file=Lumavist.Embra.locale.en-US
installer_file=Lumavist.Embra.installer
# file | field | the value it must have ("?*" any value; a glob pattern)
rows="
$version_file|PackageIdentifier|Lumavist.Embra
$version_file|PackageVersion|$version
$version_file|DefaultLocale|en-US
$version_file|ManifestType|version
$locale_file|PackageIdentifier|Lumavist.Embra
$locale_file|PackageVersion|$version
$locale_file|PackageLocale|en-US
$locale_file|Publisher|Lumavist
$locale_file|PackageName|Embra
$locale_file|License|?*
$locale_file|ShortDescription|?*
$locale_file|ManifestType|defaultLocale
$installer_file|PackageIdentifier|Lumavist.Embra
$installer_file|PackageVersion|$version
$installer_file|InstallerType|nullsoft
$installer_file|Scope|user
$installer_file|Silent|/S
$installer_file|SilentWithProgress|/S
$installer_file|Architecture|x64
$installer_file|InstallerUrl|https://*/Embra-$version-setup.exe
$installer_file|InstallerSha256|$hash
$installer_file|ManifestType|installer"

while IFS='|' read -r file key pattern; do
    [ -n "$file" ] || continue
    [ -f "$dist/winget/$file.yaml" ] || fail "no manifest $file.yaml"
    value=$(field "$file" "$key")
    # shellcheck disable=SC2053 # the row's value is a pattern
    [[ "$value" == $pattern ]] || fail "$file: $key is '$value', not '$pattern'"
    echo "ok: $file: $key: $value"
done <<<"$rows"

# Each file names the schema of the manifest version it declares.
for file in "$version_file" "$locale_file" "$installer_file"; do
    manifest_version=$(field "$file" ManifestVersion)
    grep -q "^# yaml-language-server: \$schema=https://aka.ms/winget-manifest\.[a-zA-Z]*\.$manifest_version\.schema\.json$" \
        "$dist/winget/$file.yaml" || fail "$file: no schema of manifest version '$manifest_version'"
done
echo "PASS"
