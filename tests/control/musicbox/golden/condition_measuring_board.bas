$regfile="m168def.dat"
$crystal=12000000
Config PortB=Output
Portb=&B11111111
Config PortD=Input
PortD=&B11111111

Dim Mtempo As Word
Dim Moct As Byte
Dim Moctdata As Word
Dim Mfreq As Word
Dim Mtw1 As Word
Dim Mtw2 As Word
Dim Mts1 As String*1
Dim Mts5 As String*5
Dim Mtb As Byte
Dim Monkai As Byte
Dim Mtl As Long

Do
   Waitms 100

   If pinD.3=1 Then
      Gosub Mplay
   End If
Loop
End

Mplay:
   Restore Data_music
   Read Mtb
   Mtl=4800/Mtb
   Mtempo=Mtl
   Do
      Read Mts5
      If Mts5="XXXXX" Then
        Exit Do
      End If
      Mts1=Mid(mts5,1,1)
      Moct=4
      If Mts1="-" Then
        Moct=3
      End If
      If Mts1="+" Then
        Moct=5
      End If
      Moctdata=Lookup(moct,Data_oct)
      Mts1=Mid(mts5,2,1)
      If Mts1="K" Then
          Gosub Sub_nagasa
          Waitms Mtw1
      Else
         Mtb=Asc(mts1)
         Mtb=Mtb-&H40
         Monkai=Mtb*2

         Mts1=Mid(mts5,3,1)
         If Mts1="#" Then
           Monkai=Monkai+1
         End If
         If Mts1="b" Then
           Monkai=Monkai-1
         End If
         Monkai=Monkai-1
         Mfreq=Lookup(monkai,Data_freq)
         Mfreq=Mfreq/Moctdata
         Mtw2=Mfreq*12
         Mtl=_xtal/Mtw2
         Mtw2=Mtl
         Gosub Sub_nagasa
         Mtl=Mtw1*Mfreq
         Mtl=Mtl/1000
         Mtw1=Mtl

         Sound PortC.5,Mtw1,Mtw2
      End If
  Loop
  wait 1
  Return

Sub_nagasa:
  Mts1=Mid(mts5,4,1)
  Mtw1=Val(mts1)*10

  Mts1=Mid(mts5,5,1)
  Mtb=Val(mts1)

  Mtb=Mtw1+Mtb

  Mtw1=Mtempo
  If Mtb<>0 Then
    Mtw1=Mtw1*Mtb
  End If
Return

Data_freq:
  Data 33224%,35200%,37294%,39511%,0%
  Data 20930%,22175%,23493%,24890%,26370%,0%
  Data 27938%,29600%,31360%,33224%

Data_oct:
  Data 640%,320%,160%,80%,40%,20%,10%

Data_music:


data 96
data "_C_16"
data "-A_64","+G#08"
data "XXXXX"
