# Shell helpers for the .deb checks: finding the package, following its dependencies
# through the installed packages, and the packages that own files. Sourced, not run.

# The one .deb in directory $1.
find_deb() {
  local debs=("$1"/tavrilo_*.deb)
  if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
    echo "expected exactly one tavrilo .deb in $1" >&2
    return 1
  fi
  printf '%s\n' "${debs[0]}"
}

# Prints the installed packages that Depends field $1 reaches, following Depends and
# Pre-Depends of installed packages and resolving virtual packages to their installed
# providers. An alternative "a | b" follows whichever of a and b are installed.
depends_closure() {
  dpkg-query -W -f=$'${db:Status-Abbrev}\x1f${Package}\x1f${Provides}\x1f${Depends}, ${Pre-Depends}\n' |
    awk -F'\x1f' -v roots="$1" '
      function bare(s) { sub(/\(.*/, "", s); sub(/:.*/, "", s); gsub(/[ \t]/, "", s); return s }
      function enqueue(field,   n, clauses, i, m, alts, j, name, k, np, provs) {
        n = split(field, clauses, ",")
        for (i = 1; i <= n; i++) {
          m = split(clauses[i], alts, "|")
          for (j = 1; j <= m; j++) {
            name = bare(alts[j])
            if (name == "") continue
            if (name in installed) stack[++top] = name
            if (name in providers) {
              np = split(providers[name], provs, " ")
              for (k = 1; k <= np; k++) stack[++top] = provs[k]
            }
          }
        }
      }
      $1 ~ /^ii/ {
        installed[$2] = 1
        deps[$2] = $4
        n = split($3, provided, ",")
        for (i = 1; i <= n; i++) { b = bare(provided[i]); if (b != "") providers[b] = providers[b] " " $2 }
      }
      END {
        enqueue(roots)
        while (top > 0) {
          pkg = stack[top--]
          if (pkg in seen) continue
          seen[pkg] = 1
          print pkg
          enqueue(deps[pkg])
        }
      }'
}

# Reads file paths on stdin and prints "path<TAB>package" for each, the package being
# the installed one that owns the file; tries the path as given, its real path, and both
# with and without the /usr prefix (Debian 12 merges /lib into /usr/lib). Unowned files
# get an empty package.
owners_of() {
  local -a files=() candidates=()
  local f p
  while read -r f; do
    [[ -n $f ]] || continue
    files+=("$f")
    for p in "$f" "$(readlink -f "$f")"; do
      candidates+=("$p")
      if [[ $p == /usr/* ]]; then candidates+=("${p#/usr}"); else candidates+=("/usr$p"); fi
    done
  done
  ((${#files[@]})) || return 0
  local -A owner=()
  local line pkgs path
  while IFS= read -r line; do
    [[ $line == diversion* ]] && continue
    pkgs=${line%%: /*}
    path=${line#"$pkgs: "}
    pkgs=${pkgs%%,*}
    owner[$path]=${pkgs%%:*}
  done < <(dpkg-query -S "${candidates[@]}" 2>/dev/null || true)
  local i=0 found
  for f in "${files[@]}"; do
    found=
    for p in "${candidates[@]:i:4}"; do
      if [[ -n ${owner[$p]:-} ]]; then found=${owner[$p]}; break; fi
    done
    printf '%s\t%s\n' "$f" "$found"
    i=$((i + 4))
  done
}

# Checks that every file listed on stdin belongs to a package in the closure of Depends
# field $1; names each one that does not and returns 1 if there was any.
check_libraries_covered() {
  local -A closure=()
  local pkg lib owner bad=0
  while read -r pkg; do closure[$pkg]=1; done < <(depends_closure "$1")
  while IFS=$'\t' read -r lib owner; do
    if [[ -z $owner ]]; then
      echo "no installed package owns $lib" >&2
      bad=1
    elif [[ -z ${closure[$owner]:-} ]]; then
      echo "$lib comes from $owner, which the package's Depends do not reach" >&2
      bad=1
    fi
  done < <(owners_of)
  return $bad
}
