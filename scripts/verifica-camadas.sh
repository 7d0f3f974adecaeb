#!/usr/bin/env bash
# Fails when a file includes a header of a folder that its library does not link. The links are the
# gdvorn_folder_libraries lines of CMakeLists.txt: a folder's library reaches its own folder and, through
# LINKS, the folders named there and all they reach; a forms library (files named ufm*, Qt* or *Form*)
# reaches its own folder's library, app_forms and the forms libraries named after FORMS, and all they reach.
# The compiled fixtures of tests/support may include what rules reaches. The program (app/programa), the
# tests and the benchmarks link what they include (tests/CMakeLists.txt, bench/CMakeLists.txt) and are
# not checked.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A links forms folders reach
while read -r linha; do
    args=$(sed -E 's/^gdvorn_folder_libraries\(([^)]*)\).*/\1/' <<<"$linha")
    read -r -a palavras <<<"$args"
    pasta=${palavras[0]}
    folders[$pasta]=1
    modo=""
    for p in "${palavras[@]:1}"; do
        case "$p" in
            LINKS | FORMS) modo=$p ;;
            GUI) modo="" ;;
            *) if [ "$modo" = LINKS ]; then links[$pasta]+=" $p"; elif [ "$modo" = FORMS ]; then forms[$pasta]+=" $p"; fi ;;
        esac
    done
done < <(grep -E '^gdvorn_folder_libraries\(' CMakeLists.txt)

if [ ${#folders[@]} -eq 0 ]; then
    echo "verifica-camadas: no gdvorn_folder_libraries lines in CMakeLists.txt" >&2
    exit 1
fi

# What library $1 reaches ("folder" or "folder:forms"), as a space-separated list with spaces around.
alcance() {
    local lib=$1
    if [ -n "${reach[$lib]+x}" ]; then
        return
    fi
    local pasta=${lib%:forms} r=" $lib " l
    if [ "$lib" != "$pasta" ]; then
        local base=("$pasta")
        [ "$pasta" != app ] && base+=("app:forms")
        for l in ${forms[$pasta]:-}; do base+=("$l:forms"); done
    else
        local base=(${links[$pasta]:-})
    fi
    for l in "${base[@]}"; do
        alcance "$l"
        r+="${reach[$l]} "
    done
    reach[$lib]=$r
}

eh_form() { [[ "$1" =~ ^(ufm|Qt) || "$1" == *Form* ]]; }

arquivos=()
for pasta in "${!folders[@]}"; do
    alcance "$pasta"
    alcance "$pasta:forms"
    for arquivo in "$pasta"/*.cpp "$pasta"/*.h; do
        [ -f "$arquivo" ] && arquivos+=("$arquivo")
    done
done
# The compiled fixtures link rules (and what it links).
alcance rules
arquivos+=(tests/support/*.cpp)

erros=0
re='^[[:space:]]*#[[:space:]]*include[[:space:]]*"(([^"]+)/([^"/]+))"'
while IFS= read -r saida; do
    arquivo=${saida%%:*}
    resto=${saida#*:}
    num=${resto%%:*}
    [[ "${resto#*:}" =~ $re ]] || continue
    inc=${BASH_REMATCH[1]}
    pasta=${BASH_REMATCH[2]}
    nome=${BASH_REMATCH[3]}
    [ -n "${folders[$pasta]+x}" ] && [ -f "$inc" ] || continue
    alvo=$pasta
    eh_form "$nome" && alvo="$pasta:forms"
    dono=${arquivo%/*}
    if [ "$dono" = tests/support ]; then
        dono=rules
    elif eh_form "${arquivo##*/}"; then
        dono="$dono:forms"
    fi
    if [[ "${reach[$dono]}" != *" $alvo "* ]]; then
        echo "$arquivo:$num: includes $inc, but its library does not link ${alvo/:forms/_forms}" >&2
        erros=$((erros + 1))
    fi
done < <(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/[^"]+"' "${arquivos[@]}")

if [ "$erros" -gt 0 ]; then
    echo "verifica-camadas: $erros include(s) of a folder the library does not link" >&2
    exit 1
fi
echo "verifica-camadas: every include stays within its library's links"
