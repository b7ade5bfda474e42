#!/usr/bin/env bash
# The accounts script's tests (tests/accounts): PowerShell's own parser and Pester, on
# PowerShell 7 as a .NET tool. Installs PowerShell and Pester from NuGet into build/tools where
# missing; where the .NET SDK is missing, says in one line that the tests were skipped, and passes.
#   scripts/powershell-tests.sh            install what is missing, then run the tests
#   scripts/powershell-tests.sh --install  install only (scripts/install-deps.sh runs this)
set -euo pipefail
cd "$(dirname "$0")/.."
tools=$PWD/build/tools
pwsh_version=7.6.10 # named: without a version dotnet installs 7.7.0, which fails
pester_version=5.7.1
pester=$tools/pester/$pester_version/tools/Pester.psd1
export DOTNET_NOLOGO=1 DOTNET_CLI_TELEMETRY_OPTOUT=1

if ! command -v dotnet >/dev/null; then
    [ "${1:-}" = --install ] || echo "PowerShell tests skipped: no .NET SDK (dotnet) here to install PowerShell and Pester with"
    exit 0
fi
if [ ! -d "$tools/.store/powershell/$pwsh_version" ]; then
    dotnet tool update PowerShell --version "$pwsh_version" --tool-path "$tools" >/dev/null
fi
if [ ! -f "$pester" ]; then
    # NuGet's Pester package is no .NET tool: a throwaway project's restore downloads it.
    project=$(mktemp -d)
    trap 'rm -rf "$project"' EXIT
    cat >"$project/pester.csproj" <<EOF
<Project Sdk="Microsoft.NET.Sdk">
  <PropertyGroup><TargetFramework>netstandard2.0</TargetFramework><DisableImplicitFrameworkReferences>true</DisableImplicitFrameworkReferences></PropertyGroup>
  <ItemGroup><PackageDownload Include="Pester" Version="[$pester_version]" /></ItemGroup>
</Project>
EOF
    dotnet restore "$project/pester.csproj" --packages "$tools" >/dev/null
fi
[ "${1:-}" != --install ] || exit 0
render=Plaintext
[ ! -t 1 ] || render=Auto # colours on a terminal, none in a log

"$tools/pwsh" -NoProfile -NonInteractive -Command "
    Import-Module '$pester'
    \$configuration = New-PesterConfiguration
    \$configuration.Run.Path = '$PWD/tests/accounts'
    \$configuration.Run.Exit = \$true
    \$configuration.Output.Verbosity = 'Detailed'
    \$configuration.Output.RenderMode = '$render'
    Invoke-Pester -Configuration \$configuration"
