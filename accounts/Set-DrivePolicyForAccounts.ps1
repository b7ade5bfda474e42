<#
.SYNOPSIS
    Writes Talmoran's Lock or Hide drive policy for every account on this PC, or for the named
    accounts, signed in or not, and for accounts made later.

.DESCRIPTION
    Talmoran writes its Explorer policy value for the account that runs it. This script writes
    the same REG_DWORD value, NoViewOnDrive (Lock) or NoDrives (Hide), under
    Software\Microsoft\Windows\CurrentVersion\Policies\Explorer in other accounts' registry:

      - the hive of each account whose profile is loaded (signed in): HKEY_USERS\<SID>;
      - the hive of each other profile on this PC: its NTUSER.DAT, found through
        HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList, loaded under
        HKEY_USERS, written and unloaded straight away;
      - the Default profile's NTUSER.DAT, which Windows copies for an account that signs in
        on this PC for the first time, so that accounts made later start with the value. It is
        left alone when -Account names accounts.

    Only local and domain accounts (SIDs S-1-5-21-...) and Microsoft Entra ID accounts
    (S-1-12-1-...) are written. SYSTEM, LOCAL SERVICE, NETWORK SERVICE and the other service
    accounts, whose SIDs are of other forms, are skipped.

    Run it as an administrator, elevated, or as SYSTEM. Each account sees the change at its next
    sign-in. Running it again with the same values changes nothing.

    A profile is reachable when its hive is loaded, or when the NTUSER.DAT its ProfileList entry
    names exists. A profile that is not reachable (its folder was deleted, say) is reported by
    name and skipped; the others are still written.

    Every line of the report goes to standard output. Exit code:
      0  every reachable profile was written (or already held the value);
      1  a reachable profile could not be written, a name given to -Account matches no
         profile on this PC, or ProfileList cannot be read;
      2  nothing was tried: not run as an administrator or SYSTEM, or no value or mask given.

.PARAMETER Restriction
    Lock writes NoViewOnDrive: Explorer refuses to open the drives. Hide writes NoDrives:
    Explorer stops listing them.

.PARAMETER Mask
    The drive mask, in decimal: bit 0 is A:, bit 25 is Z:. C: and D: are 4 + 8 = 12; all 26
    drives are 67108863. 0 lifts the restriction, as Talmoran's Unlock and Unhide do.

.PARAMETER Account
    Only these accounts, each given as DOMAIN\name (the computer's name for a local account,
    AzureAD\name for Entra ID), as a bare name, which matches that name in any domain, as the
    name of its profile folder, or as its SID. Names may also be separated by commas in one
    argument, as powershell.exe -File passes them.

.EXAMPLE
    powershell.exe -ExecutionPolicy Bypass -File .\Set-DrivePolicyForAccounts.ps1 -Restriction Hide -Mask 12

    Hides C: and D: for every account on this PC and for the accounts made later.

.EXAMPLE
    powershell.exe -ExecutionPolicy Bypass -File .\Set-DrivePolicyForAccounts.ps1 -Restriction Lock -Mask 67108863 -Account child,kiosk

    Locks every drive for the accounts child and kiosk only.

.EXAMPLE
    powershell.exe -ExecutionPolicy Bypass -File .\Set-DrivePolicyForAccounts.ps1 -Restriction Hide -Mask 0

    Undoes the first example: every account lists every drive again.
#>
#Requires -Version 3.0
[CmdletBinding()]
param(
    # A device manager that runs scripts without arguments (Intune's platform scripts) needs
    # the values here, in your copy of the script: for example 'Hide' and 12.
    [string] $Restriction = '',
    [int] $Mask = -1,

    [string[]] $Account = @()
)

Set-StrictMode -Version 2.0

if ($Restriction -notin 'Lock', 'Hide' -or $Mask -lt 0 -or $Mask -gt 67108863) {
    Write-Output 'Give -Restriction Lock or Hide and -Mask 0 to 67108863, for example: -Restriction Hide -Mask 12'
    exit 2
}

# SYSTEM's token holds the Administrators group too; an administrator's token holds it only
# when elevated.
$identity = [Security.Principal.WindowsIdentity]::GetCurrent()
$principal = New-Object -TypeName Security.Principal.WindowsPrincipal -ArgumentList $identity
if (-not $principal.IsInRole([Security.Principal.WindowsBuiltInRole]::Administrator)) {
    Write-Output 'Run this as an administrator, elevated (Run as administrator), or as SYSTEM.'
    exit 2
}

$valueName = if ($Restriction -eq 'Lock') { 'NoViewOnDrive' } else { 'NoDrives' }
$policyKeyPath = 'Software\Microsoft\Windows\CurrentVersion\Policies\Explorer'
# Local, domain and Entra ID accounts only. The pattern also keeps out the
# HKEY_USERS\<SID>_Classes hives, the <SID>.bak entries a damaged profile leaves in
# ProfileList, and HKEY_USERS\.DEFAULT, which is SYSTEM's own hive, not the Default profile.
$sidPattern = '^S-1-(5-21|12-1)(-\d+)+$'
$names = @($Account | ForEach-Object { $_ -split ',' } | ForEach-Object { $_.Trim() } | Where-Object { $_ })

# The keys read and written here are shared by the 32-bit and 64-bit registry views, so a
# 32-bit PowerShell (Intune's default host) reaches the same ones; they are opened in the
# 64-bit view all the same. Its %windir%\System32 is SysWOW64, so Sysnative names the
# 64-bit reg.exe.
$view = [Microsoft.Win32.RegistryView]::Registry64
$users = [Microsoft.Win32.RegistryKey]::OpenBaseKey([Microsoft.Win32.RegistryHive]::Users, $view)
$machine = [Microsoft.Win32.RegistryKey]::OpenBaseKey([Microsoft.Win32.RegistryHive]::LocalMachine, $view)
$reg = Join-Path $env:SystemRoot 'System32\reg.exe'
if ([Environment]::Is64BitOperatingSystem -and -not [Environment]::Is64BitProcess) {
    $reg = Join-Path $env:SystemRoot 'Sysnative\reg.exe'
}

# True when a hive is loaded at HKEY_USERS\$Name.
function Test-Hive([string] $Name) {
    $key = $users.OpenSubKey($Name)
    if ($null -eq $key) {
        return $false
    }
    $key.Dispose()
    return $true
}

# Writes the value into the hive at HKEY_USERS\$Hive and reads it back. False, with nothing
# written, when it already is that REG_DWORD (GetValue gives a REG_DWORD as an Int32).
function Write-PolicyValue([string] $Hive) {
    $key = $users.CreateSubKey("$Hive\$policyKeyPath")
    if ($null -eq $key) {
        throw "cannot open HKEY_USERS\$Hive\$policyKeyPath"
    }
    try {
        $before = $key.GetValue($valueName)
        if ($before -is [int] -and $before -eq $Mask) {
            return $false
        }
        $key.SetValue($valueName, $Mask, [Microsoft.Win32.RegistryValueKind]::DWord)
        $after = $key.GetValue($valueName)
        if (-not ($after -is [int] -and $after -eq $Mask)) {
            throw "$valueName reads back as $after"
        }
        return $true
    } finally {
        $key.Dispose()
    }
}

# Loads $File at HKEY_USERS\$Mount, writes the value and unloads it. A run that stopped
# between load and unload left its hive loaded under the same name: that one is written and
# unloaded instead.
function Write-UnloadedHive([string] $Mount, [string] $File) {
    if (-not (Test-Hive $Mount)) {
        $output = & $reg load "HKU\$Mount" $File 2>&1
        if ($LASTEXITCODE -ne 0) {
            throw "reg load failed: $($output -join ' ')"
        }
    }
    $problems = @()
    $changed = $false
    try {
        $changed = Write-PolicyValue $Mount
    } catch {
        $problems += $_.Exception.Message
    }
    # reg unload fails while a key in the hive is open. Every key opened here is disposed;
    # collecting lets go of any that PowerShell itself still holds.
    for ($attempt = 1; $attempt -le 3; $attempt++) {
        [GC]::Collect()
        [GC]::WaitForPendingFinalizers()
        $output = & $reg unload "HKU\$Mount" 2>&1
        if ($LASTEXITCODE -eq 0) {
            break
        }
        if ($attempt -lt 3) {
            Start-Sleep -Seconds 1
        } else {
            $problems += "the hive stays loaded as HKEY_USERS\$Mount until a restart or the next run (reg unload: $($output -join ' '))"
        }
    }
    if ($problems.Count -gt 0) {
        throw ($problems -join '; ')
    }
    return $changed
}

# DOMAIN\name, or nothing where the SID names no account any more or its domain cannot be
# reached.
function Get-AccountName([string] $Sid) {
    try {
        $identifier = New-Object -TypeName Security.Principal.SecurityIdentifier -ArgumentList $Sid
        return $identifier.Translate([Security.Principal.NTAccount]).Value
    } catch {
        return $null
    }
}

# The profiles: every entry of ProfileList, and every loaded hive, for an account whose
# profile is loaded without an entry there.
$profileList = $machine.OpenSubKey('SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList')
if ($null -eq $profileList) {
    Write-Output 'Cannot read HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList.'
    exit 1
}
$profiles = @()
try {
    foreach ($sid in $profileList.GetSubKeyNames()) {
        if ($sid -notmatch $sidPattern) {
            continue
        }
        $entry = $profileList.OpenSubKey($sid)
        $path = $null
        if ($null -ne $entry) {
            $path = $entry.GetValue('ProfileImagePath') # environment names expanded
            $entry.Dispose()
        }
        $profiles += [PSCustomObject] @{ Sid = $sid; Path = $path }
    }
    $defaultPath = $profileList.GetValue('Default')
} finally {
    $profileList.Dispose()
}
foreach ($sid in $users.GetSubKeyNames()) {
    if ($sid -match $sidPattern -and -not ($profiles | Where-Object { $_.Sid -eq $sid })) {
        $profiles += [PSCustomObject] @{ Sid = $sid; Path = $null }
    }
}

$written = 0
$skipped = 0
$failed = 0
$matchedNames = @{}

# Writes one profile and reports it: a loaded hive in place, an unloaded one through its
# NTUSER.DAT. $Sid is empty for the Default profile, which is never loaded as an account.
function Write-Profile([string] $Label, [string] $Sid, [string] $Folder, [string] $Mount) {
    try {
        if ($Sid -and (Test-Hive $Sid)) {
            $changed = Write-PolicyValue $Sid
            $where = 'profile loaded: takes effect at the next sign-in'
        } else {
            $file = if ($Folder) { [IO.Path]::Combine($Folder, 'NTUSER.DAT') } else { '' }
            if (-not $file -or -not [IO.File]::Exists($file)) {
                Write-Output "not reachable, skipped: $Label (no NTUSER.DAT at '$Folder')"
                $script:skipped++
                return
            }
            $changed = Write-UnloadedHive $Mount $file
            $where = 'profile not loaded'
        }
        $what = if ($changed) { 'written' } else { 'already set' }
        Write-Output "${what}: $Label ($where)"
        $script:written++
    } catch {
        Write-Output "FAILED: ${Label}: $($_.Exception.Message)"
        $script:failed++
    }
}

Write-Output "$valueName = $Mask ($Restriction)"
foreach ($p in $profiles) {
    $accountName = Get-AccountName $p.Sid
    $folderName = if ($p.Path) { [IO.Path]::GetFileName($p.Path) } else { $null }
    if ($names.Count -gt 0) {
        $shortName = if ($accountName) { ($accountName -split '\\')[-1] } else { $null }
        $matching = @($names | Where-Object {
                $_ -eq $p.Sid -or ($accountName -and ($_ -eq $accountName -or $_ -eq $shortName)) -or
                ($folderName -and $_ -eq $folderName)
            })
        if ($matching.Count -eq 0) {
            continue
        }
        foreach ($n in $matching) {
            $matchedNames[$n] = $true
        }
    }
    $label = if ($accountName) { $accountName } elseif ($p.Path) { $p.Path } else { 'unknown account' }
    $label = "$label, $($p.Sid)"
    Write-Profile $label $p.Sid $p.Path "Talmoran-$($p.Sid)"
}

if ($names.Count -eq 0) {
    Write-Profile 'the Default profile, for accounts made later' '' $defaultPath 'Talmoran-Default'
} else {
    foreach ($n in $names) {
        if (-not $matchedNames.ContainsKey($n)) {
            # An account that never signed in on this PC has no profile yet.
            Write-Output "FAILED: ${n}: no profile of that name on this PC (an account gets one at its first sign-in)"
            $failed++
        }
    }
}

Write-Output "$written written, $skipped not reachable, $failed failed"
if ($failed -gt 0) {
    exit 1
}
exit 0
